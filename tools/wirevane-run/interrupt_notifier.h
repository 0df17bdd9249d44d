#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace wirevane::runner {

// Turns Ctrl-C (SIGINT) and SIGTERM into a call on the event loop's thread, so the run stops
// between two engine steps and closes the port as on any other end. While one exists, the
// default "die at once" handling of the two signals is off.
class InterruptNotifier final {
public:
    explicit InterruptNotifier(std::function<void()> onInterrupt);
    ~InterruptNotifier();
    InterruptNotifier(const InterruptNotifier&) = delete;
    InterruptNotifier& operator=(const InterruptNotifier&) = delete;

    bool ok() const { return m_notifier != nullptr; }

private:
    std::function<void()> m_onInterrupt;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace wirevane::runner
