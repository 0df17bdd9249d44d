#include "support/engine_rig.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

class SequenceEngineTest : public ::testing::Test, protected test::EngineRig<> {
protected:
    // Ticks the rows, each sending its own letter (row 0 "A", row 2 "C", ...).
    void Prepare(std::initializer_list<int> ticked, int delay = 100)
    {
        for (int row : ticked)
            SetRow(row, {char16_t(u'A' + row)}, WaitKind::None, delay);
    }

    Bytes TakeWritten()
    {
        Bytes written = port.written();
        port.clearWritten();
        return written;
    }
};

// With no row ticked, Send only resets.
TEST_F(SequenceEngineTest, SendsTickedRowsInOrderAndStopsAtTheEnd)
{
    engine.OnSend();
    EXPECT_FALSE(observer.running());
    EXPECT_FALSE(timer.IsArmed());
    EXPECT_EQ(observer.states(), (std::vector<bool>{false, true, false}));

    Prepare({0, 2, 5});
    engine.OnSend();
    EXPECT_TRUE(observer.running());
    EXPECT_EQ(timer.period(), 0);
    Tick();
    EXPECT_EQ(TakeWritten(), Bytes{'A'});
    EXPECT_EQ(timer.period(), 100);
    Tick();
    EXPECT_EQ(TakeWritten(), Bytes{'C'});
    Tick();
    EXPECT_EQ(TakeWritten(), Bytes{'F'});
    EXPECT_FALSE(observer.running());
    EXPECT_FALSE(timer.IsArmed());
    EXPECT_EQ(run.currentRow, 0);
    EXPECT_TRUE(run.endReached);
    EXPECT_EQ(observer.status(), u"F    送信済");
    for (int row : {0, 2, 5})
        EXPECT_EQ(Image(row), kRowImageSent);

    engine.OnSend(); // a new run from the top clears the old markers
    EXPECT_EQ(Image(5), kRowImageNone);
    Tick();
    EXPECT_EQ(TakeWritten(), Bytes{'A'});
}

TEST_F(SequenceEngineTest, HaltStopsWithoutItsDelayAndSendResumes)
{
    Prepare({0, 2, 5});
    grid.SetCellText(2, SendTable::kHaltColumn, u" ");
    SendAndTick();
    Tick();
    EXPECT_FALSE(observer.running());
    EXPECT_FALSE(timer.IsArmed());
    EXPECT_EQ(Image(2), kRowImageHalt);
    TakeWritten();
    engine.OnSend();
    EXPECT_EQ(timer.period(), 0);
    Tick();
    EXPECT_EQ(TakeWritten(), Bytes{'F'});
    EXPECT_EQ(Image(0), kRowImageSent);
    EXPECT_EQ(Image(2), kRowImageHalt);
}

TEST_F(SequenceEngineTest, StepModeSendsOneRowPerSend)
{
    run.stepMode = true;
    Prepare({0, 2});
    SendAndTick();
    EXPECT_EQ(TakeWritten(), Bytes{'A'});
    EXPECT_FALSE(observer.running());
    EXPECT_EQ(Image(0), kRowImageStepStop);
    SendAndTick();
    EXPECT_EQ(TakeWritten(), Bytes{'C'});
    EXPECT_EQ(Image(2), kRowImageStepStop);
    EXPECT_EQ(Image(0), kRowImageStepStop);
}

// The receive step reads the row's cells before it writes the row's status; in detail display
// that status ticks the row again, so the row's delay still follows its answer. Without a pause
// the next row goes out in the same tick as the answer's step.
class RowUntickedWhileWaiting : public SequenceEngineTest,
                                public ::testing::WithParamInterface<bool> {};

TEST_P(RowUntickedWhileWaiting, PausesOnlyWhereItsStatusTicksIt)
{
    run.detailView = GetParam();
    Prepare({0, 1}, 250);
    grid.SetCellText(0, SendTable::kWaitColumn, u"CR");
    SendAndTick();
    grid.SetCellText(0, SendTable::kSelectColumn, u"");
    TakeWritten();
    Receive({0x0D});
    Tick(); // the receive step
    EXPECT_EQ(TakeWritten(), GetParam() ? Bytes{} : Bytes{'B'});
    EXPECT_EQ(timer.period(), 250);
}

INSTANTIATE_TEST_SUITE_P(DetailDisplay, RowUntickedWhileWaiting, ::testing::Bool());

TEST_F(SequenceEngineTest, LineEndGoesOutWithTheTextInOneWriteAndIsEchoed)
{
    run.lineEnd = LineEndSuffix::CrLf;
    terminal.setLocalEcho(true);
    Prepare({0});
    grid.SetCellText(0, SendTable::kDataColumn, u"AT\\r");
    SendAndTick();
    EXPECT_EQ(port.writes(), (std::vector<Bytes>{{'A', 'T', 0x0D, 0x0D, 0x0A}}));
    EXPECT_EQ(terminal.text(), u"AT\\r\r\n"); // the row's text as entered, not its bytes
}

TEST_F(SequenceEngineTest, ClosedPortWritesNothingButTheRunGoesOn)
{
    port.setOpen(false);
    Prepare({0, 1});
    SendAndTick();
    Tick();
    EXPECT_TRUE(port.written().empty());
    EXPECT_EQ(Image(1), kRowImageSent);
    EXPECT_TRUE(run.endReached);
}

// A negative delay pauses not at all; unticking the next row during a pause ends the ticks but
// not the run.
TEST_F(SequenceEngineTest, ThePauseAfterARowAndTheTimerItIsCountedOn)
{
    Prepare({0, 3});
    SendAndTick();
    grid.SetCellText(3, SendTable::kSelectColumn, u"");
    Tick();
    EXPECT_FALSE(timer.IsArmed());
    EXPECT_TRUE(observer.running());

    engine.OnReset();
    Prepare({0, 1}, -5);
    SendAndTick();
    EXPECT_EQ(timer.period(), 0);

    // Other timers are not the engine's.
    engine.OnReset();
    port.clearWritten();
    engine.OnSend();
    engine.OnStepTimer(kSequenceTimerId + 1);
    EXPECT_TRUE(port.written().empty());
    EXPECT_TRUE(timer.IsArmed());
}

TEST_F(SequenceEngineTest, ARowTheLineEncodingCannotCarryIsNotSentAndHalts)
{
    SetRow(0, u"café", WaitKind::None);
    SetRow(1, u"B", WaitKind::None);
    for (const auto& [encoding, name] :
         {std::pair{TextEncoding::Sjis, u"Shift_JIS"}, std::pair{TextEncoding::Euc, u"EUC-JP"}}) {
        SCOPED_TRACE(static_cast<int>(encoding));
        terminal.clear();
        port.clearWritten();
        run.encoding = encoding;
        engine.OnReset();
        SendAndTick();
        EXPECT_TRUE(port.written().empty());
        EXPECT_EQ(Image(0), kRowImageHalt);
        EXPECT_FALSE(run.running);
        EXPECT_EQ(run.currentRow, 0);
        EXPECT_EQ(terminal.text(), u"[Row 0 is not sent: \"é\" (U+00E9) has no " +
                                       std::u16string(name) + u" form.]\n");
    }

    terminal.clear();
    run.encoding = TextEncoding::Utf8;
    engine.OnReset();
    SendAndTick();
    EXPECT_EQ(port.written(), (Bytes{0x63, 0x61, 0x66, 0xC3, 0xA9}));
    EXPECT_EQ(Image(0), kRowImageSent);
}

} // namespace
} // namespace wirevane
