#include "terminal/traffic/traffic_tap.h"

#include "platform/serial_codes.h"

#include <memory>
#include <utility>

namespace wirevane {

TrafficTap::TrafficTap(PortAccess* port, TrafficClock clock)
    : m_port(port), m_clock(std::move(clock))
{
}

void TrafficTap::Tell(TrafficDirection direction, std::span<const uint8_t> bytes, TrafficTime time)
{
    if (m_listener && !bytes.empty())
        m_listener(direction, bytes, time);
}

uint32_t TrafficTap::Write(std::span<const uint8_t> bytes)
{
    if (m_port == nullptr)
        return ERROR_INVALID_HANDLE;
    const TrafficTime handed = m_clock();
    const uint32_t error = m_port->Write(bytes);
    if (error == 0)
        Tell(TrafficDirection::Sent, bytes, handed);
    return error;
}

void TrafficTap::BeginWrite(std::span<const uint8_t> bytes, WriteDone done)
{
    if (m_port == nullptr) {
        done(ERROR_INVALID_HANDLE);
        return;
    }
    // The bytes are told before done runs and before BeginWrite returns, so that they come
    // before any answer to them; a port that answers before it returns has written or refused
    // them by then, and refused bytes are not told.
    const auto handing = std::make_shared<Handing>(Handing{this, bytes, m_clock()});
    m_port->BeginWrite(bytes, [handing, done = std::move(done)](uint32_t error) {
        if (handing->tap != nullptr && error == 0)
            handing->tap->Tell(TrafficDirection::Sent, handing->bytes, handing->time);
        handing->tap = nullptr;
        done(error);
    });
    if (handing->tap != nullptr)
        Tell(TrafficDirection::Sent, bytes, handing->time);
    handing->tap = nullptr;
}

void TrafficTap::CancelWrites()
{
    if (m_port != nullptr)
        m_port->CancelWrites();
}

std::u16string TrafficTap::PortName() const
{
    return m_port != nullptr ? m_port->PortName() : PortAccess::PortName();
}

uint32_t TrafficTap::Read(std::span<uint8_t> buffer, std::size_t& bytesRead)
{
    bytesRead = 0;
    if (m_port == nullptr)
        return ERROR_INVALID_HANDLE;
    const uint32_t error = m_port->Read(buffer, bytesRead);
    if (error == 0 && bytesRead != 0) {
        const TrafficTime read = m_clock();
        if (!m_unshownRead)
            m_unshownRead = read;
        Tell(TrafficDirection::Received, buffer.first(bytesRead), read);
    }
    return error;
}

uint32_t TrafficTap::GetModemStatus(uint32_t& status)
{
    if (m_port == nullptr)
        return ERROR_INVALID_HANDLE;
    return m_port->GetModemStatus(status);
}

std::optional<TrafficTime> TrafficTap::TakeUnshownRead()
{
    return std::exchange(m_unshownRead, std::nullopt);
}

} // namespace wirevane
