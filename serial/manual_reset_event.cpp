#include "serial/manual_reset_event.h"

#include <chrono>

namespace wirevane {

void ManualResetEvent::Set()
{
    {
        std::lock_guard guard(m_lock);
        m_signalled = true;
    }
    m_changed.notify_all();
}

void ManualResetEvent::Reset()
{
    std::lock_guard guard(m_lock);
    m_signalled = false;
}

bool ManualResetEvent::Wait(uint32_t timeoutMs)
{
    std::unique_lock guard(m_lock);
    if (timeoutMs == 0xFFFFFFFF) {
        m_changed.wait(guard, [this] { return m_signalled; });
        return true;
    }
    return m_changed.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                              [this] { return m_signalled; });
}

} // namespace wirevane
