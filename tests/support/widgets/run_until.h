#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace wirevane::test {

// Lets the event loop run the window's timers, the engine's ticks and the port's messages until
// done() holds or the deadline passes; answers done(). done() is looked at after every batch of
// events, so a benchmark stops as soon as its last event ran, and every 5 ms for what another
// thread changes. The deadline only bounds a failing test, with room for a round trip through
// another process.
inline bool RunUntil(const std::function<bool()>& done, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.start(5);
    while (!done() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

} // namespace wirevane::test
