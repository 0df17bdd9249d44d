#include "platform/qt/qt_step_timer.h"

#include <algorithm>
#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>
#include <utility>

namespace wirevane::platform {

QtStepTimer::QtStepTimer(std::function<void()> onTick) : m_onTick(std::move(onTick))
{
    m_soon.setSingleShot(true);
    // Also keeps the delays, less exactly, should the kernel timer be unavailable.
    m_soon.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_soon, &QTimer::timeout, [this] { m_onTick(); });
    m_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd >= 0) {
        m_expiry = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        QObject::connect(m_expiry.get(), &QSocketNotifier::activated, [this] { OnExpiry(); });
    }
}

QtStepTimer::~QtStepTimer()
{
    m_expiry.reset();
    if (m_fd >= 0)
        close(m_fd);
}

void QtStepTimer::Arm(int milliseconds)
{
    Kill();
    if (milliseconds <= 0 || m_fd < 0) {
        m_soon.start(std::max(milliseconds, 0));
        return;
    }
    itimerspec when{};
    when.it_value.tv_sec = milliseconds / 1000;
    when.it_value.tv_nsec = static_cast<long>(milliseconds % 1000) * 1'000'000;
    m_counting = timerfd_settime(m_fd, 0, &when, nullptr) == 0;
    if (!m_counting)
        m_soon.start(milliseconds);
}

void QtStepTimer::Kill()
{
    m_soon.stop();
    if (m_counting) {
        const itimerspec off{};
        timerfd_settime(m_fd, 0, &off, nullptr);
        m_counting = false;
    }
}

bool QtStepTimer::IsArmed() const
{
    return m_counting || m_soon.isActive();
}

// Setting or clearing the kernel timer drops an expiry not yet read, so a notice that arrives
// after Kill or a new Arm finds nothing to read and is no tick.
void QtStepTimer::OnExpiry()
{
    uint64_t expiries = 0;
    if (read(m_fd, &expiries, sizeof expiries) != sizeof expiries || !m_counting)
        return;
    m_counting = false;
    m_onTick();
}

} // namespace wirevane::platform
