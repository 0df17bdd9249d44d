#pragma once

#include "core/port_access.h"
#include "terminal/traffic/traffic_time.h"

#include <functional>
#include <optional>
#include <span>

namespace wirevane {

enum class TrafficDirection { Received, Sent };

// Passes every port operation through and tells its listener of each chunk of bytes read from
// the port or handed to it, with the time it happened, before anything else sees the chunk.
// Sent bytes are counted when the port takes them: a write the port refuses at once is not
// traffic, a background write that fails later is reported by its own failure.
//
// The time of the oldest read whose text has not been shown yet is kept for the terminal, so a
// received line is stamped with the time its first byte came in even when the text is shown
// after a later read (a character split across reads waits for its rest).
class TrafficTap final : public PortAccess {
public:
    using Listener = std::function<void(TrafficDirection, std::span<const uint8_t>, TrafficTime)>;

    TrafficTap(PortAccess* port, TrafficClock clock);

    void SetListener(Listener listener) { m_listener = std::move(listener); }
    void SetClock(TrafficClock clock) { m_clock = std::move(clock); }

    bool IsOpen() const override { return m_port != nullptr && m_port->IsOpen(); }
    uint32_t Write(std::span<const uint8_t> bytes) override;
    void BeginWrite(std::span<const uint8_t> bytes, WriteDone done) override;
    void CancelWrites() override;
    std::size_t BytesNotOut() const override
    {
        return m_port != nullptr ? m_port->BytesNotOut() : 0;
    }
    std::u16string PortName() const override;
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead) override;
    uint32_t GetModemStatus(uint32_t& status) override;

    // The read time the next shown received text belongs to, once; nothing when no read is
    // waiting to be shown (the text is then a report, not traffic).
    std::optional<TrafficTime> TakeUnshownRead();

private:
    // A write being handed to the port: whether the port answered before it returned. Once
    // BeginWrite has returned, tap is null and bytes no longer refer to anything.
    struct Handing {
        TrafficTap* tap;
        std::span<const uint8_t> bytes;
        TrafficTime time;
    };

    void Tell(TrafficDirection direction, std::span<const uint8_t> bytes, TrafficTime time);

    PortAccess* m_port;
    TrafficClock m_clock;
    Listener m_listener;
    std::optional<TrafficTime> m_unshownRead;
};

} // namespace wirevane
