#include "platform/loop_wake.h"

#include <algorithm>
#include <cstdint>
#include <windows.h>
// After windows.h, which it needs.
#include <timeapi.h>

namespace wirevane::platform {

namespace {

// What the console's control handler, which runs on a thread of its own, may touch.
std::atomic<HANDLE> g_interruptEvent{nullptr};
std::atomic<std::atomic<bool>*> g_interrupted{nullptr};

BOOL WINAPI OnConsoleControl(DWORD kind)
{
    if (kind != CTRL_C_EVENT && kind != CTRL_BREAK_EVENT && kind != CTRL_CLOSE_EVENT)
        return FALSE;
    if (std::atomic<bool>* flag = g_interrupted.load())
        flag->store(true);
    if (const HANDLE event = g_interruptEvent.load())
        SetEvent(event);
    return TRUE;
}

} // namespace

struct LoopWake::Native {
    HANDLE wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    bool watching = false;
    // The wait's time-out counts in the scheduler's ticks, about 15.6 ms unless the period is
    // asked for, far coarser than a row's delay.
    bool finePeriod = timeBeginPeriod(1) == TIMERR_NOERROR;
};

LoopWake::LoopWake() : m_native(std::make_unique<Native>()) {}

LoopWake::~LoopWake()
{
    UnwatchInterrupts();
    if (m_native->wake)
        CloseHandle(m_native->wake);
    if (m_native->finePeriod)
        timeEndPeriod(1);
}

bool LoopWake::ok() const
{
    return m_native->wake != nullptr;
}

void LoopWake::Wake()
{
    SetEvent(m_native->wake);
}

// Whole milliseconds, rounded up so a timer never fires early.
bool LoopWake::WatchesDescriptors()
{
    return false;
}

bool LoopWake::Wait(std::optional<std::chrono::nanoseconds> timeout, int /*readable*/)
{
    DWORD limit = INFINITE;
    if (timeout)
        limit = static_cast<DWORD>(std::min<int64_t>(
            std::chrono::ceil<std::chrono::milliseconds>(*timeout).count(), INFINITE - 1));
    WaitForSingleObject(m_native->wake, limit);
    return false;
}

bool LoopWake::WatchInterrupts(std::atomic<bool>& interrupted)
{
    if (!ok())
        return false;
    g_interrupted = &interrupted;
    g_interruptEvent = m_native->wake;
    m_native->watching = SetConsoleCtrlHandler(OnConsoleControl, TRUE) != FALSE;
    return m_native->watching;
}

void LoopWake::UnwatchInterrupts()
{
    if (!m_native->watching)
        return;
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    g_interruptEvent = nullptr;
    g_interrupted = nullptr;
    m_native->watching = false;
}

} // namespace wirevane::platform
