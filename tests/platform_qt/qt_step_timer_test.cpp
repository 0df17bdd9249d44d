#include "platform/qt/qt_step_timer.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace wirevane::platform {
namespace {

// A zero-period timer started after the step timer fires after it; once it has fired, the step
// timer has had every chance to fire too. This shows "did not fire" without sleeping.
void LetTheLoopRunPast()
{
    bool passed = false;
    QTimer marker;
    marker.setSingleShot(true);
    QObject::connect(&marker, &QTimer::timeout, [&passed] { passed = true; });
    marker.start(0);
    QTRY_VERIFY_WITH_TIMEOUT(passed, 5000);
}

// A timer that counts its ticks.
class QtStepTimerTest : public ::testing::Test {
protected:
    int ticks = 0;
    QtStepTimer timer{[this] { ++ticks; }};
};

TEST_F(QtStepTimerTest, FiresOnceAndArmingAgainReplacesThePendingPeriod)
{
    EXPECT_FALSE(timer.IsArmed());
    timer.Arm(600'000);
    timer.Arm(5);
    EXPECT_TRUE(timer.IsArmed());
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, 5000);
    // The ten-minute period is gone, not waiting behind the short one.
    EXPECT_FALSE(timer.IsArmed());
    LetTheLoopRunPast();
    EXPECT_EQ(ticks, 1);

    // A negative period would make QTimer refuse to start; the run would then hang on that row.
    timer.Arm(-100);
    EXPECT_TRUE(timer.IsArmed());
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 2, 5000);
}

// The longest delay a cell can hold is a valid kernel timer and keeps the timer armed.
TEST_F(QtStepTimerTest, KilledTimerNeverFiresAndALongPeriodWaitsForTheKill)
{
    timer.Arm(2'147'483'647);
    LetTheLoopRunPast();
    EXPECT_TRUE(timer.IsArmed());
    timer.Kill();
    EXPECT_FALSE(timer.IsArmed());

    timer.Arm(0);
    timer.Kill();
    EXPECT_FALSE(timer.IsArmed());
    LetTheLoopRunPast();
    EXPECT_EQ(ticks, 0);
    timer.Kill(); // killing an idle timer is harmless
    EXPECT_FALSE(timer.IsArmed());
}

// A kernel timer that ran out while the loop was busy elsewhere has its notice on the way; a
// Kill or a new Arm in that moment must still win over it.
TEST_F(QtStepTimerTest, ExpiryNotYetSeenByTheLoopIsCancelledByKillOrRearm)
{
    for (bool rearm : {false, true}) {
        timer.Arm(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        rearm ? timer.Arm(600'000) : timer.Kill();
        LetTheLoopRunPast();
        EXPECT_EQ(ticks, 0) << rearm;
        EXPECT_EQ(timer.IsArmed(), rearm);
    }

    timer.Arm(1);
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, 5000);
    EXPECT_FALSE(timer.IsArmed());
}

// Period 0 must not wait for any platform minimum: it fires on the loop's next pass, before a
// zero timer that was queued after it.
TEST(QtStepTimer, PeriodZeroFiresOnTheNextLoopPass)
{
    std::vector<char> order;
    QtStepTimer timer([&order] { order.push_back('s'); });
    QTimer queuedAfter;
    queuedAfter.setSingleShot(true);
    QObject::connect(&queuedAfter, &QTimer::timeout, [&order] { order.push_back('q'); });
    timer.Arm(0);
    queuedAfter.start(0);
    QTRY_COMPARE_WITH_TIMEOUT(order.size(), std::size_t{2}, 5000);
    EXPECT_EQ(order, (std::vector<char>{'s', 'q'}));
}

// The engine kills and re-arms the timer from inside its own tick.
TEST(QtStepTimer, TickMayKillAndRearmItself)
{
    int ticks = 0;
    QtStepTimer* self = nullptr;
    QtStepTimer timer([&] {
        ++ticks;
        self->Kill();
        if (ticks < 3)
            self->Arm(0);
    });
    self = &timer;
    timer.Arm(0);
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 3, 5000);
    LetTheLoopRunPast();
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer.IsArmed());
}

// A zero tick armed within TickAfter runs when the work returns and only then; one killed again
// there, a timer counting a period, or one not armed, is left to the loop.
TEST_F(QtStepTimerTest, OnlyAZeroPeriodArmedWithinTheWorkTicksAfterItAndNeverTwice)
{
    timer.TickAfter([] {});
    EXPECT_EQ(ticks, 0);

    timer.TickAfter([this] {
        timer.Arm(0);
        EXPECT_TRUE(timer.IsArmed());
        EXPECT_EQ(ticks, 0);
    });
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.IsArmed());

    timer.TickAfter([this] {
        timer.Arm(0);
        timer.Kill();
        EXPECT_FALSE(timer.IsArmed());
    });
    timer.TickAfter([this] {
        timer.Arm(0);
        timer.Arm(600'000);
    });
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(timer.IsArmed());
    timer.Kill();

    // Outside the work a zero tick waits for the loop again.
    timer.Arm(0);
    EXPECT_EQ(ticks, 1);
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 2, 5000);
    LetTheLoopRunPast();
    EXPECT_EQ(ticks, 2);
}

} // namespace
} // namespace wirevane::platform
