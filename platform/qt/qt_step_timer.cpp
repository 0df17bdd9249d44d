#include "platform/qt/qt_step_timer.h"

#include "platform/prompt_wake.h"
#include "platform/qt/loop_alarm.h"

#include <algorithm>
#include <utility>

namespace wirevane::platform {

QtStepTimer::QtStepTimer(std::function<void()> onTick)
    : m_onTick(std::move(onTick)), m_alarm(LoopAlarm::Create([this] { OnExpiry(); }))
{
    // The timer ticks on the thread that makes it, and its wake-ups time every row.
    PreferPromptWakeUps();
    m_soon.setSingleShot(true);
    // Also keeps the delays, less exactly, should the system timer be unavailable.
    m_soon.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_soon, &QTimer::timeout, [this] { m_onTick(); });
}

QtStepTimer::~QtStepTimer() = default;

void QtStepTimer::Arm(int milliseconds)
{
    Kill();
    if (milliseconds <= 0 && m_holdingZero) {
        m_zeroHeld = true;
        return;
    }
    if (milliseconds <= 0 || !m_alarm) {
        m_soon.start(std::max(milliseconds, 0));
        return;
    }
    m_counting = m_alarm->Set(milliseconds);
    if (!m_counting)
        m_soon.start(milliseconds);
}

void QtStepTimer::Kill()
{
    m_zeroHeld = false;
    m_soon.stop();
    if (m_counting) {
        m_alarm->Clear();
        m_counting = false;
    }
}

bool QtStepTimer::IsArmed() const
{
    return m_zeroHeld || m_counting || m_soon.isActive();
}

void QtStepTimer::TickIfHeld()
{
    m_holdingZero = false;
    if (std::exchange(m_zeroHeld, false))
        m_onTick();
}

void QtStepTimer::OnExpiry()
{
    if (!m_counting)
        return;
    m_counting = false;
    m_onTick();
}

} // namespace wirevane::platform
