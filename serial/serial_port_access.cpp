#include "serial/serial_port_access.h"

namespace wirevane {

uint32_t SerialPortAccess::Write(std::span<const uint8_t> bytes)
{
    return m_port.QueueWrite(bytes, {});
}

void SerialPortAccess::BeginWrite(std::span<const uint8_t> bytes, WriteDone done)
{
    const std::weak_ptr<Generation> generation = m_generation;
    const uint64_t handedOver = m_generation->value;
    m_port.QueueWrite(bytes, [generation, handedOver, done = std::move(done)](uint32_t error) {
        const auto current = generation.lock();
        if (current && current->value == handedOver)
            done(error);
    });
}

void SerialPortAccess::CancelWrites()
{
    ++m_generation->value;
    m_port.CancelWrites();
}

std::u16string SerialPortAccess::PortName() const
{
    const std::u16string& path = m_port.DeviceName();
    const std::size_t slash = path.find_last_of(u"/\\");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

uint32_t SerialPortAccess::Read(std::span<uint8_t> buffer, std::size_t& bytesRead)
{
    uint32_t count = 0;
    const uint32_t error = m_port.Read(buffer.data(), static_cast<uint32_t>(buffer.size()), &count);
    bytesRead = count;
    return error;
}

} // namespace wirevane
