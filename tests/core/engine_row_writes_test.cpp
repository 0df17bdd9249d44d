#include "fakes/held_port.h"
#include "platform/serial_codes.h"
#include "support/engine_rig.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

// The engine over a port that writes in the background.
class EngineRowWritesTest : public ::testing::Test, protected test::EngineRig<test::HeldPort> {
protected:
    EngineRowWritesTest()
    {
        run.lineEnd = LineEndSuffix::Cr;
        run.detailView = true;
    }

    // Row 0 "AT" with the wait, row 1 "B"; Send, and the tick that puts row 0 on its way.
    void SendRowZero(WaitKind wait, int delay = 0)
    {
        SetRow(0, u"AT", wait, delay);
        SetRow(1, u"B", WaitKind::None);
        SendAndTick();
    }
};

TEST_F(EngineRowWritesTest, ARowCountsAsSentOnlyWhenAllItsBytesAreOut)
{
    SendRowZero(WaitKind::None, 40);
    ASSERT_EQ(port.held(), 1u); // the text with its line end
    EXPECT_FALSE(timer.IsArmed());
    EXPECT_EQ(Image(0), kRowImageNone);
    EXPECT_EQ(terminal.text(), u"");

    engine.OnStepTimer(kSequenceTimerId); // a stray tick while the row is on its way
    EXPECT_EQ(port.held(), 1u);
    EXPECT_EQ(Image(0), kRowImageNone);

    port.End();
    EXPECT_EQ(port.written(), (Bytes{'A', 'T', 0x0D}));
    EXPECT_EQ(Image(0), kRowImageSent);
    EXPECT_EQ(terminal.text(), u"<送信済>\r\n");
    EXPECT_TRUE(timer.IsArmed());
    EXPECT_EQ(timer.period(), 40);
    EXPECT_EQ(run.currentRow, 1);
}

// The answer's notification can reach the window before the word that the row is out.
TEST_F(EngineRowWritesTest, WhatComesWhileTheRowIsOnItsWayIsKeptForItsStep)
{
    SendRowZero(WaitKind::Cr);
    Receive({'O', 'K', 0x0D});
    engine.OnStepTimer(kSequenceTimerId); // the tick the answer asked for, too early
    EXPECT_EQ(port.held(), 1u);

    port.End();
    EXPECT_EQ(Image(0), kRowImageWaiting);
    ASSERT_TRUE(timer.IsArmed());
    engine.OnStepTimer(kSequenceTimerId); // the receive step
    EXPECT_EQ(Image(0), kRowImageSent);
    engine.OnStepTimer(kSequenceTimerId);
    EXPECT_EQ(port.held(), 1u) << "row 1 goes next";

    // The wait was put in place when the row went out; an edit of the wait cell meanwhile must not
    // leave the run moving on while an old wait is still armed for another row's answer.
    engine.OnReset();
    SendRowZero(WaitKind::Cr);
    grid.SetCellText(0, SendTable::kWaitColumn, u"なし");
    port.End();
    EXPECT_EQ(Image(0), kRowImageWaiting);
    EXPECT_EQ(run.currentRow, 0);
    EXPECT_FALSE(timer.IsArmed());

    Receive({0x0D});
    engine.OnStepTimer(kSequenceTimerId); // the receive step of row 0
    EXPECT_EQ(Image(0), kRowImageSent);
    EXPECT_EQ(run.currentRow, 1);
}

TEST_F(EngineRowWritesTest, AFailedWriteStopsTheRunOnItsRowAndStopAndResetCancelAHeldRow)
{
    SendRowZero(WaitKind::None);
    port.End(ERROR_TIMEOUT);
    EXPECT_EQ(port.held(), 0u);
    EXPECT_TRUE(port.written().empty());
    EXPECT_EQ(Image(0), kRowImageHalt);
    EXPECT_FALSE(run.running);
    EXPECT_FALSE(observer.running());
    EXPECT_FALSE(timer.IsArmed());
    EXPECT_EQ(terminal.text(),
              u"[Write to ttyUSB0 timed out: the device holds the line (flow control).]\n");

    // The row pointer stayed on the row, so Send tries it again.
    SendAndTick();
    port.End();
    EXPECT_EQ(port.written(), (Bytes{'A', 'T', 0x0D}));
    EXPECT_EQ(Image(0), kRowImageSent);

    // Stop and Reset cancel a held row.
    engine.OnReset();
    const int cancelled = port.cancels();
    SendAndTick();
    engine.OnStop();
    EXPECT_EQ(port.cancels(), cancelled + 1);
    EXPECT_FALSE(engine.IsWriting());
    EXPECT_NE(Image(0), kRowImageSent);
    EXPECT_EQ(run.currentRow, 0);

    SendAndTick();
    EXPECT_TRUE(engine.IsWriting());
    engine.OnReset();
    EXPECT_EQ(port.cancels(), cancelled + 2);
    EXPECT_FALSE(engine.IsWriting());

    // A stop with nothing on its way leaves the port's queue alone (typed keys stay in it).
    engine.OnStop();
    EXPECT_EQ(port.cancels(), cancelled + 2);
}

} // namespace
} // namespace wirevane
