#include "platform/qt/loop_alarm.h"

#include <QWinEventNotifier>
#include <utility>
#include <windows.h>
// After windows.h, which it needs.
#include <timeapi.h>

namespace wirevane::platform {

namespace {

// Windows 10 1803 and later; older systems refuse the flag and get the ordinary timer with the
// scheduler's period lowered to a millisecond while it counts.
constexpr DWORD kHighResolution = 0x00000002;
constexpr DWORD kManualReset = 0x00000001;

// A waitable timer watched by the loop. It is a manual-reset timer so that its signalled state
// tells a current expiry from a stale notice: every Set starts it unsignalled again, and a
// notice that finds it unsignalled belongs to an expiry a Set or Clear has replaced.
class WaitableAlarm final : public LoopAlarm {
public:
    WaitableAlarm(HANDLE timer, bool highResolution, std::function<void()> onExpiry)
        : m_timer(timer), m_highResolution(highResolution), m_onExpiry(std::move(onExpiry)),
          m_notifier(timer)
    {
        QObject::connect(&m_notifier, &QWinEventNotifier::activated, [this] { OnSignalled(); });
    }
    ~WaitableAlarm() override
    {
        m_notifier.setEnabled(false);
        Rest();
        CloseHandle(m_timer);
    }
    WaitableAlarm(const WaitableAlarm&) = delete;
    WaitableAlarm& operator=(const WaitableAlarm&) = delete;

    bool Set(int milliseconds) override
    {
        if (!m_highResolution && !m_finePeriod)
            m_finePeriod = timeBeginPeriod(1) == TIMERR_NOERROR;
        // Relative times are negative, in units of 100 ns.
        LARGE_INTEGER due;
        due.QuadPart = -static_cast<LONGLONG>(milliseconds) * 10'000;
        if (SetWaitableTimer(m_timer, &due, 0, nullptr, nullptr, FALSE))
            return true;
        ReleasePeriod();
        return false;
    }

    void Clear() override { Rest(); }

private:
    // Unsignalled and not counting: a set timer starts unsignalled, a cancelled one stays so.
    void Rest()
    {
        LARGE_INTEGER later;
        later.QuadPart = -864'000'000'000LL; // a day
        SetWaitableTimer(m_timer, &later, 0, nullptr, nullptr, FALSE);
        CancelWaitableTimer(m_timer);
        ReleasePeriod();
    }

    void ReleasePeriod()
    {
        if (m_finePeriod)
            timeEndPeriod(1);
        m_finePeriod = false;
    }

    void OnSignalled()
    {
        if (WaitForSingleObject(m_timer, 0) != WAIT_OBJECT_0)
            return;
        Rest();
        m_onExpiry();
    }

    HANDLE m_timer;
    bool m_highResolution;
    bool m_finePeriod = false;
    std::function<void()> m_onExpiry;
    QWinEventNotifier m_notifier;
};

} // namespace

std::unique_ptr<LoopAlarm> LoopAlarm::Create(std::function<void()> onExpiry)
{
    bool highResolution = true;
    HANDLE timer =
        CreateWaitableTimerExW(nullptr, nullptr, kManualReset | kHighResolution, TIMER_ALL_ACCESS);
    if (!timer) {
        highResolution = false;
        timer = CreateWaitableTimerExW(nullptr, nullptr, kManualReset, TIMER_ALL_ACCESS);
    }
    if (!timer)
        return nullptr;
    return std::make_unique<WaitableAlarm>(timer, highResolution, std::move(onExpiry));
}

} // namespace wirevane::platform
