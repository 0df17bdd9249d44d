#include "platform/qt/qt_step_timer.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace wirevane::platform {
namespace {

// A tick due at once runs in the caller's turn and only there; a timer counting a period, or one
// not armed, is left to the loop.
TEST(QtStepTimerAtOnce, OnlyAZeroPeriodTicksInTheCallersTurnAndNeverTwice)
{
    int ticks = 0;
    QtStepTimer timer([&ticks] { ++ticks; });
    timer.TickIfDueAtOnce();
    EXPECT_EQ(ticks, 0);

    timer.Arm(0);
    timer.TickIfDueAtOnce();
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.IsArmed());

    timer.Arm(600'000);
    timer.TickIfDueAtOnce();
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(timer.IsArmed());
    timer.Kill();

    // A zero timer queued after the first arm fires after the step timer's pass would have.
    bool passed = false;
    QTimer marker;
    marker.setSingleShot(true);
    QObject::connect(&marker, &QTimer::timeout, [&passed] { passed = true; });
    marker.start(0);
    QTRY_VERIFY_WITH_TIMEOUT(passed, 5000);
    EXPECT_EQ(ticks, 1);
}

} // namespace
} // namespace wirevane::platform
