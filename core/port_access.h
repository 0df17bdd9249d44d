#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace wirevane {

// What the engine, the receive handler and the terminal need of the serial port. Every
// operation returns the port's error value (0 for success) and leaves it as the port's last
// error.
class PortAccess {
public:
    // Called once for each BeginWrite, on the thread that called BeginWrite: 0 once every byte
    // is out, otherwise the port's error (ERROR_OPERATION_ABORTED for a cancelled write).
    using WriteDone = std::function<void(uint32_t error)>;

    virtual ~PortAccess() = default;

    virtual bool IsOpen() const = 0;
    // Writes behind every write handed over before; a port that writes in the background
    // answers as soon as it has taken the bytes.
    virtual uint32_t Write(std::span<const uint8_t> bytes) = 0;
    // Hands the bytes over like Write and tells done when they are out. A port that writes
    // before it returns calls done before BeginWrite returns. Taken by value because the ports
    // that write in the background keep it.
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    virtual void BeginWrite(std::span<const uint8_t> bytes, WriteDone done) { done(Write(bytes)); }
    // Drops what is not yet out of every write handed over; their done calls are not made.
    virtual void CancelWrites() {}
    // How many bytes handed over are still waiting for the line; a port that writes before it
    // returns has none.
    virtual std::size_t BytesNotOut() const { return 0; }
    // How a report line names the port.
    virtual std::u16string PortName() const { return u"the port"; }
    // Reads what is buffered, at most buffer.size() bytes, without waiting.
    virtual uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead) = 0;
    // Resets the last error, then reads the modem status word (CTS 0x10, DSR 0x20, RLSD 0x80).
    virtual uint32_t GetModemStatus(uint32_t& status) = 0;
};

} // namespace wirevane
