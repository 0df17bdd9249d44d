#pragma once

#include <QElapsedTimer>
#include <QTest>
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

} // namespace wirevane::test
