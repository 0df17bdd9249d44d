#include "fakes/held_port.h"
#include "support/engine_rig.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

// The engine with an answer limit, over a port whose writes end when the test says, so that
// the time is seen to start only once a row's bytes are out.
class AnswerTimeoutTest : public ::testing::Test, protected test::EngineRig<test::HeldPort> {
protected:
    void SetUp() override
    {
        run.detailView = true;
        // Row 1 waits for CR, row 3 does not wait.
        SetRow(1, u"ASK", WaitKind::Cr);
        SetRow(3, u"NEXT", WaitKind::None);
        engine.SetAnswerTimeout(&answerTimer, 750);
    }

    // Sends row 1 and lets its bytes out.
    void SendTheWaitingRow()
    {
        SendAndTick();
        ASSERT_EQ(port.held(), 1u);
        EXPECT_FALSE(answerTimer.IsArmed()) << "no time runs while the row is on its way";
        port.End();
    }
    void Answer(std::string_view bytes) { Receive({bytes.begin(), bytes.end()}); }

    test::ManualStepTimer answerTimer;
};

TEST_F(AnswerTimeoutTest, ASilentDeviceStopsTheRunOnItsRowWithAReportAndAMarker)
{
    SendTheWaitingRow();
    ASSERT_TRUE(answerTimer.IsArmed());
    EXPECT_EQ(answerTimer.period(), 750);
    Answer("busy"); // bytes, but not the awaited CR
    EXPECT_TRUE(answerTimer.IsArmed());

    terminal.clear();
    EXPECT_TRUE(engine.OnAnswerTimer());
    EXPECT_FALSE(observer.running());
    EXPECT_FALSE(timer.IsArmed());
    EXPECT_EQ(run.waitKind, WaitKind::None);
    EXPECT_EQ(Image(1), kRowImageHalt);
    EXPECT_EQ(grid.GetCellText(1, SendTable::kSelectColumn), u" 停止");
    EXPECT_EQ(terminal.text(), u"[No answer to row 1 within 750 ms.]\n");

    // A late CR neither restarts the run nor counts as the answer.
    Answer("\r");
    EXPECT_FALSE(timer.IsArmed());
    EXPECT_FALSE(engine.OnAnswerTimer());

    // Send tries the same row again, with the time running anew.
    SendAndTick();
    port.End();
    EXPECT_EQ(port.written(), (std::vector<uint8_t>{'A', 'S', 'K', 'A', 'S', 'K'}));
    EXPECT_TRUE(answerTimer.IsArmed());
}

TEST_F(AnswerTimeoutTest, TheAnswerAStopOrAResetEndsTheTimeAndWithoutALimitNoneRuns)
{
    SendTheWaitingRow();
    Answer("ok\r");
    // The timer may still fire before the receive step's tick: it must change nothing.
    EXPECT_FALSE(engine.OnAnswerTimer());
    EXPECT_TRUE(observer.running());
    Tick(); // the receive step, and row 3 with it: a row that does not wait arms no answer time
    EXPECT_FALSE(answerTimer.IsArmed());
    port.End();
    EXPECT_FALSE(answerTimer.IsArmed());
    EXPECT_EQ(Image(1), kRowImageSent);

    engine.OnReset();
    SendTheWaitingRow();
    engine.OnStop();
    EXPECT_FALSE(answerTimer.IsArmed());
    EXPECT_FALSE(engine.OnAnswerTimer());

    engine.OnReset();
    SendTheWaitingRow();
    engine.OnReset();
    EXPECT_FALSE(answerTimer.IsArmed());
    EXPECT_EQ(Image(1), kRowImageNone);

    // Without a limit the row waits as it always did.
    engine.SetAnswerTimeout(&answerTimer, 0);
    SendTheWaitingRow();
    EXPECT_FALSE(answerTimer.IsArmed());
    EXPECT_FALSE(engine.OnAnswerTimer());
    EXPECT_TRUE(observer.running());
    EXPECT_EQ(run.waitKind, WaitKind::Cr);
    Answer("\r");
    Tick();
    EXPECT_EQ(Image(1), kRowImageSent);
}

} // namespace
} // namespace wirevane
