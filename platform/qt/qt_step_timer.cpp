#include "platform/qt/qt_step_timer.h"

#include <algorithm>
#include <utility>

namespace wirevane::platform {

QtStepTimer::QtStepTimer(std::function<void()> onTick) : m_onTick(std::move(onTick))
{
    m_timer.setSingleShot(true);
    // Delays are in milliseconds and a run's pacing depends on them; the coarse default type
    // may be off by 5 %.
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { m_onTick(); });
}

void QtStepTimer::Arm(int milliseconds)
{
    m_timer.start(std::max(milliseconds, 0));
}

void QtStepTimer::Kill()
{
    m_timer.stop();
}

bool QtStepTimer::IsArmed() const
{
    return m_timer.isActive();
}

} // namespace wirevane::platform
