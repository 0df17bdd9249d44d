#include "platform/wait_loop.h"

#include "platform/prompt_wake.h"

#include <algorithm>
#include <utility>

namespace wirevane::platform {

bool WaitLoop::Post(std::function<void()> call)
{
    {
        std::lock_guard lock(m_lock);
        if (m_quit)
            return false;
        m_calls.push_back(std::move(call));
    }
    m_wake.Wake();
    return true;
}

void WaitLoop::Quit()
{
    {
        std::lock_guard lock(m_lock);
        m_quit = true;
    }
    m_wake.Wake();
}

bool WaitLoop::WatchInterrupts(std::function<void()> onInterrupt)
{
    m_onInterrupt = std::move(onInterrupt);
    return m_wake.WatchInterrupts(m_interrupted);
}

bool WaitLoop::WatchReadable(int descriptor, std::function<void()> onReadable)
{
    if (!LoopWake::WatchesDescriptors())
        return false;
    m_watched = descriptor;
    m_onReadable = std::move(onReadable);
    return true;
}

void WaitLoop::Unwatch()
{
    m_watched = -1;
    m_onReadable = nullptr;
}

void WaitLoop::Run()
{
    bool readable = false;
    while (true) {
        // The watch may end inside its own call.
        if (std::exchange(readable, false) && m_onReadable) {
            const std::function<void()> onReadable = m_onReadable;
            onReadable();
        }
        {
            std::lock_guard lock(m_lock);
            if (m_quit)
                break;
            m_running.swap(m_calls);
        }
        // Calls posted while these run wait for the next pass, so a call that posts another
        // cannot keep the timers from firing.
        bool quit = false;
        for (std::function<void()>& call : m_running) {
            call();
            std::lock_guard lock(m_lock);
            quit = m_quit;
            if (quit)
                break;
        }
        // Both lists keep their room: a pass allocates nothing for the calls it runs.
        m_running.clear();
        if (quit)
            break;
        if (m_interrupted.exchange(false) && m_onInterrupt)
            m_onInterrupt();
        const std::optional<Clock::time_point> next = FireDueTimers();
        {
            std::lock_guard lock(m_lock);
            if (m_quit)
                break;
            if (!m_calls.empty())
                continue;
        }
        if (m_beforeWait)
            m_beforeWait();
        if (next)
            readable =
                m_wake.Wait(std::max(*next - Clock::now(), Clock::duration::zero()), m_watched);
        else
            readable = m_wake.Wait(std::nullopt, m_watched);
    }
    m_wake.UnwatchInterrupts();
}

std::optional<WaitLoop::Clock::time_point> WaitLoop::FireDueTimers()
{
    const Clock::time_point now = Clock::now();
    m_due.clear();
    for (LoopStepTimer* timer : m_timers)
        if (timer->m_deadline && *timer->m_deadline <= now)
            m_due.push_back(timer);
    std::sort(m_due.begin(), m_due.end(), [](const LoopStepTimer* a, const LoopStepTimer* b) {
        return *a->m_deadline != *b->m_deadline ? *a->m_deadline < *b->m_deadline
                                                : a->m_sequence < b->m_sequence;
    });
    for (LoopStepTimer* timer : m_due) {
        // A tick may kill or re-arm any timer, this one included, or destroy one.
        if (std::find(m_timers.begin(), m_timers.end(), timer) == m_timers.end() ||
            !timer->m_deadline || *timer->m_deadline > now)
            continue;
        timer->m_deadline.reset();
        timer->m_onTick();
        std::lock_guard lock(m_lock);
        if (m_quit)
            return std::nullopt;
    }
    std::optional<Clock::time_point> next;
    for (const LoopStepTimer* timer : m_timers)
        if (timer->m_deadline && (!next || *timer->m_deadline < *next))
            next = timer->m_deadline;
    return next;
}

void WaitLoop::AddTimer(LoopStepTimer* timer)
{
    m_timers.push_back(timer);
}

void WaitLoop::RemoveTimer(LoopStepTimer* timer)
{
    std::erase(m_timers, timer);
}

LoopStepTimer::LoopStepTimer(WaitLoop& loop, std::function<void()> onTick)
    : m_loop(loop), m_onTick(std::move(onTick))
{
    // The loop's thread is made here, and its wake-ups time every row.
    PreferPromptWakeUps();
    m_loop.AddTimer(this);
}

LoopStepTimer::~LoopStepTimer()
{
    m_loop.RemoveTimer(this);
}

void LoopStepTimer::Arm(int milliseconds)
{
    static uint64_t sequence = 0;
    m_sequence = ++sequence;
    m_deadline = WaitLoop::Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
}

void LoopStepTimer::Kill()
{
    m_deadline.reset();
}

bool LoopStepTimer::IsArmed() const
{
    return m_deadline.has_value();
}

bool LoopMessageTarget::Post(uint32_t message, uintptr_t firstValue, intptr_t secondValue)
{
    return m_loop.Post([handler = m_handler, message, firstValue, secondValue] {
        handler(message, firstValue, secondValue);
    });
}

bool LoopMessageTarget::WatchReadable(int descriptor, std::function<void()> onReadable)
{
    return m_loop.WatchReadable(descriptor, std::move(onReadable));
}

void LoopMessageTarget::Unwatch()
{
    m_loop.Unwatch();
}

void LoopMessageTarget::Send(uint32_t message, uintptr_t firstValue, intptr_t secondValue)
{
    m_handler(message, firstValue, secondValue);
}

} // namespace wirevane::platform
