#pragma once

#include "tools/wirevane-sim/sim_options.h"

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::sim {

using Clock = std::chrono::steady_clock;

// Bytes the device will send, each no earlier than its time, in the order queued. What waits
// is bounded, as a device's memory is: once the backlog is full the device reads nothing more,
// so an echo or an answer that no one reads holds the line, as a device without room does.
class Outbox {
public:
    static constexpr std::size_t kBacklogBytes = std::size_t{1} << 20;

    struct Pending {
        Clock::time_point at;
        std::string bytes;
    };

    void Send(Clock::time_point at, std::string bytes)
    {
        m_bytes += Cost(bytes);
        m_queue.push_back({at, std::move(bytes)});
    }
    bool empty() const { return m_queue.empty(); }
    const Pending& front() const { return m_queue.front(); }
    void PopFront()
    {
        m_bytes -= Cost(m_queue.front().bytes);
        m_queue.pop_front();
    }
    bool Full() const { return m_bytes >= kBacklogBytes; }

private:
    // A meter's frame is 14 bytes: the entry holding it counts too.
    static std::size_t Cost(const std::string& bytes) { return sizeof(Pending) + bytes.size(); }

    std::deque<Pending> m_queue;
    std::size_t m_bytes = 0; // what the queue costs
};

// What the simulated device does with received bytes and with time.
class Behaviour {
public:
    virtual ~Behaviour() = default;
    virtual void Start(Clock::time_point /*now*/, Outbox& /*out*/) {}
    virtual void Received(std::string_view bytes, Clock::time_point now, Outbox& out) = 0;
    // Called at NextTick() or later.
    virtual void Tick(Clock::time_point /*now*/, Outbox& /*out*/) {}
    // Called whenever everything queued is out: a flood queues its next part.
    virtual void Drained(Clock::time_point /*now*/, Outbox& /*out*/) {}
    virtual std::optional<Clock::time_point> NextTick() const { return std::nullopt; }
    // true once the device wants its port closed.
    virtual bool Finished() const { return false; }
};

struct ScriptStep {
    enum class Kind { Expect, Send, Delay, Close } kind;
    std::string text;
    int delayMs = 0;
};

// Parses a script's text; on error returns nothing and sets message (with the line number).
std::optional<std::vector<ScriptStep>> ParseScript(std::string_view text, std::string& message);

std::unique_ptr<Behaviour> MakeBehaviour(const SimOptions& options, std::vector<ScriptStep> script);

} // namespace wirevane::sim
