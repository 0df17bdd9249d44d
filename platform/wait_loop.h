#pragma once

#include "platform/loop_wake.h"
#include "platform/message_target.h"
#include "platform/step_timer.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace wirevane::platform {

class LoopStepTimer;

// An event loop for a program without a window, over the system's own wait (LoopWake). One
// thread runs it; calls posted from any thread run on it in the order they were posted, and
// the timers of LoopStepTimer fire on it. Posting never waits for the loop.
class WaitLoop {
public:
    using Clock = std::chrono::steady_clock;

    WaitLoop() = default;
    WaitLoop(const WaitLoop&) = delete;
    WaitLoop& operator=(const WaitLoop&) = delete;

    bool ok() const { return m_wake.ok(); }

    // Any thread. false once the loop has quit: the call is dropped.
    bool Post(std::function<void()> call);
    // Runs posted calls and due timers until Quit; returns at once when Quit came first.
    void Run();
    // Any thread; the loop returns after the call or timer it is running.
    void Quit();

    // While it runs, the user's interrupt calls onInterrupt on the loop's thread.
    bool WatchInterrupts(std::function<void()> onInterrupt);

    // The loop's thread only: until Unwatch, each pass that finds the descriptor readable calls
    // onReadable first. false where the system's wait cannot watch a descriptor.
    bool WatchReadable(int descriptor, std::function<void()> onReadable);
    void Unwatch();

    // The loop's thread only: called whenever the loop has run everything due and is about to
    // wait, so that what the passes produced can be handed on in one piece.
    void SetBeforeWait(std::function<void()> beforeWait) { m_beforeWait = std::move(beforeWait); }

private:
    friend class LoopStepTimer;
    void AddTimer(LoopStepTimer* timer);
    void RemoveTimer(LoopStepTimer* timer);
    // Runs the timers that are due; the earliest deadline still ahead, if any.
    std::optional<Clock::time_point> FireDueTimers();

    LoopWake m_wake;
    std::mutex m_lock;
    std::vector<std::function<void()>> m_calls;
    // The calls of the pass being run, swapped with m_calls so that each keeps its room.
    std::vector<std::function<void()>> m_running;
    bool m_quit = false;
    std::vector<LoopStepTimer*> m_timers;
    // The timers due in a pass, kept for the room.
    std::vector<LoopStepTimer*> m_due;
    std::atomic<bool> m_interrupted{false};
    std::function<void()> m_onInterrupt;
    int m_watched = -1;
    std::function<void()> m_onReadable;
    std::function<void()> m_beforeWait;
};

// The step timer on a WaitLoop: one shot, a period of 0 fires on the loop's next pass. Used on
// the loop's thread only.
class LoopStepTimer final : public StepTimer {
public:
    LoopStepTimer(WaitLoop& loop, std::function<void()> onTick);
    ~LoopStepTimer() override;
    LoopStepTimer(const LoopStepTimer&) = delete;
    LoopStepTimer& operator=(const LoopStepTimer&) = delete;

    void Arm(int milliseconds) override;
    void Kill() override;
    bool IsArmed() const override;

private:
    friend class WaitLoop;
    WaitLoop& m_loop;
    std::function<void()> m_onTick;
    std::optional<WaitLoop::Clock::time_point> m_deadline;
    // Arms of one pass fire in the order they were made, as zero timers do on Qt's loop.
    uint64_t m_sequence = 0;
};

// A port's notifications as calls on a WaitLoop: each message is handed to the function on the
// loop's thread, in the order the messages were posted.
class LoopMessageTarget final : public MessageTarget {
public:
    using Handler =
        std::function<void(uint32_t message, uintptr_t firstValue, intptr_t secondValue)>;

    LoopMessageTarget(WaitLoop& loop, Handler handler) : m_loop(loop), m_handler(std::move(handler))
    {
    }

    bool Post(uint32_t message, uintptr_t firstValue, intptr_t secondValue) override;
    bool WatchReadable(int descriptor, std::function<void()> onReadable) override;
    void Unwatch() override;
    void Send(uint32_t message, uintptr_t firstValue, intptr_t secondValue) override;

private:
    WaitLoop& m_loop;
    Handler m_handler;
};

} // namespace wirevane::platform
