#pragma once

#include "core/port_access.h"
#include "serial/serial.h"

namespace wirevane {

// The engine's and the receive handler's view of a port object: writes and reads without an
// overlapped record and with the infinite time-out, as every caller of the window thread does.
class SerialPortAccess final : public PortAccess {
public:
    explicit SerialPortAccess(CSerial& port) : m_port(port) {}

    bool IsOpen() const override { return m_port.IsOpen(); }
    uint32_t Write(std::span<const uint8_t> bytes) override;
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead) override;
    uint32_t GetModemStatus(uint32_t& status) override { return m_port.GetModemStatus(status); }

private:
    CSerial& m_port;
};

} // namespace wirevane
