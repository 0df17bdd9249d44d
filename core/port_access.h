#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace wirevane {

// What the engine and the receive handler need of the serial port. Every operation returns the
// port's error value (0 for success) and leaves it as the port's last error.
class PortAccess {
public:
    virtual ~PortAccess() = default;

    virtual bool IsOpen() const = 0;
    virtual uint32_t Write(std::span<const uint8_t> bytes) = 0;
    // Reads what is buffered, at most buffer.size() bytes, without waiting.
    virtual uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead) = 0;
    // Resets the last error, then reads the modem status word (CTS 0x10, DSR 0x20, RLSD 0x80).
    virtual uint32_t GetModemStatus(uint32_t& status) = 0;
};

} // namespace wirevane
