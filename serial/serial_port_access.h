#pragma once

#include "core/port_access.h"
#include "serial/serial.h"

#include <memory>

namespace wirevane {

// The engine's, the receive handler's and the terminal's view of a port object. Reads do not
// wait; writes go through the port's write queue, so a row and the keys typed after it leave in
// that order, and with a port that writes in the background nothing here waits for the line.
class SerialPortAccess final : public PortAccess {
public:
    explicit SerialPortAccess(CSerial& port) : m_port(port) {}

    bool IsOpen() const override { return m_port.IsOpen(); }
    uint32_t Write(std::span<const uint8_t> bytes) override;
    void BeginWrite(std::span<const uint8_t> bytes, WriteDone done) override;
    void CancelWrites() override;
    std::size_t BytesNotOut() const override { return m_port.BytesNotOut(); }
    // The device's name without its folder, as "ttyUSB0".
    std::u16string PortName() const override;
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead) override;
    uint32_t GetModemStatus(uint32_t& status) override { return m_port.GetModemStatus(status); }

private:
    // Completions of writes handed over before the last cancel, or after this object is gone,
    // are not passed on.
    struct Generation {
        uint64_t value = 0;
    };

    CSerial& m_port;
    std::shared_ptr<Generation> m_generation = std::make_shared<Generation>();
};

} // namespace wirevane
