#include "platform/qt/loop_alarm.h"

#include <QSocketNotifier>
#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>
#include <utility>

namespace wirevane::platform {

namespace {

// A timerfd whose readable descriptor wakes the loop.
class TimerfdAlarm final : public LoopAlarm {
public:
    TimerfdAlarm(int fd, std::function<void()> onExpiry)
        : m_fd(fd), m_onExpiry(std::move(onExpiry)), m_notifier(fd, QSocketNotifier::Read)
    {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, [this] { OnReadable(); });
    }
    ~TimerfdAlarm() override
    {
        m_notifier.setEnabled(false);
        close(m_fd);
    }
    TimerfdAlarm(const TimerfdAlarm&) = delete;
    TimerfdAlarm& operator=(const TimerfdAlarm&) = delete;

    bool Set(int milliseconds) override
    {
        itimerspec when{};
        when.it_value.tv_sec = milliseconds / 1000;
        when.it_value.tv_nsec = static_cast<long>(milliseconds % 1000) * 1'000'000;
        return timerfd_settime(m_fd, 0, &when, nullptr) == 0;
    }

    void Clear() override
    {
        const itimerspec off{};
        timerfd_settime(m_fd, 0, &off, nullptr);
    }

private:
    // Setting or clearing the timer drops an expiry not yet read, so a notice that arrives after
    // either finds nothing to read.
    void OnReadable()
    {
        uint64_t expiries = 0;
        if (read(m_fd, &expiries, sizeof expiries) == sizeof expiries)
            m_onExpiry();
    }

    int m_fd;
    std::function<void()> m_onExpiry;
    QSocketNotifier m_notifier;
};

} // namespace

std::unique_ptr<LoopAlarm> LoopAlarm::Create(std::function<void()> onExpiry)
{
    const int fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::make_unique<TimerfdAlarm>(fd, std::move(onExpiry));
}

} // namespace wirevane::platform
