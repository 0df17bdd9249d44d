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

// Bytes the device will send, each no earlier than its time, in the order queued.
struct Outbox {
    struct Pending {
        Clock::time_point at;
        std::string bytes;
    };
    std::deque<Pending> queue;

    void Send(Clock::time_point at, std::string bytes) { queue.push_back({at, std::move(bytes)}); }
};

// What the simulated device does with received bytes and with time.
class Behaviour {
public:
    virtual ~Behaviour() = default;
    virtual void Start(Clock::time_point /*now*/, Outbox& /*out*/) {}
    virtual void Received(std::string_view bytes, Clock::time_point now, Outbox& out) = 0;
    // Called at NextTick() or later.
    virtual void Tick(Clock::time_point /*now*/, Outbox& /*out*/) {}
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
