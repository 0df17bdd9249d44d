#include "serial/serial_port_access.h"

namespace wirevane {

uint32_t SerialPortAccess::Write(std::span<const uint8_t> bytes)
{
    return m_port.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

uint32_t SerialPortAccess::Read(std::span<uint8_t> buffer, std::size_t& bytesRead)
{
    uint32_t count = 0;
    const uint32_t error = m_port.Read(buffer.data(), static_cast<uint32_t>(buffer.size()), &count);
    bytesRead = count;
    return error;
}

} // namespace wirevane
