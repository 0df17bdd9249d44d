#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <functional>

namespace wirevane::test {

// Lets the window's own timers and the port's messages run until done() holds or the deadline
// passes; answers done(). The window tests wait this way for what the event loop brings; the
// deadline only bounds a failing test, with room for a round trip through another process.
inline bool RunUntil(const std::function<bool()>& done, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QTest::qWait(5);
    return done();
}

// The same wait for the engine's rig and the benchmarks, which need each event handled as soon
// as it comes, as the program's own loop handles it: done() is looked at after every batch of
// events, and every 5 ms for what another thread changes. RunUntil sleeps between its looks,
// and the window tests' timing is set for that.
inline bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs = 10000)
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
