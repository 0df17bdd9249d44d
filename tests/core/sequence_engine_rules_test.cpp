// Rules of the run that a plausible slip in the engine would break without changing any of the
// worked examples: which output depends on the detail display, the echo of each line end, what
// a row unticked mid-run still does, and which markers a clear takes away.

#include "core/decimal_text.h"
#include "support/engine_rig.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

class SequenceEngineRulesTest : public ::testing::Test, protected test::EngineRig<> {
protected:
    void TickRow(int row, std::u16string_view data = u"x", int delay = 100)
    {
        grid.SetCellText(row, SendTable::kSelectColumn, u" ");
        grid.SetCellText(row, SendTable::kDataColumn, data);
        grid.SetCellText(row, SendTable::kDelayColumn, DecimalText(delay));
    }

    void Untick(int row) { grid.SetCellText(row, SendTable::kSelectColumn, u""); }
    std::vector<int> FirstImages() const { return {Image(0), Image(1)}; }
};

// Halt and step stop, after sending and after receiving: with the detail display off the terminal
// gets only what the device sent, and the status cells keep their tick.
TEST_F(SequenceEngineRulesTest, MarkerLinesAndStatusTextsNeedTheDetailDisplay)
{
    for (const bool detail : {false, true}) {
        SCOPED_TRACE(detail ? "detail display" : "plain display");
        engine.OnReset();
        terminal.clear();
        run.detailView = detail;
        run.stepMode = false;
        // Row 2 halts too, but in step mode the step stop is what it shows.
        for (int row = 0; row < 3; ++row) {
            TickRow(row);
            grid.SetCellText(row, SendTable::kHaltColumn, u" ");
        }
        grid.SetCellText(1, SendTable::kWaitColumn, u"Any");
        SendAndTick();
        SendAndTick();
        if (detail) {
            EXPECT_EQ(Status(1), u"送信済 受信待");
        }
        Receive({'!'});
        Tick();
        run.stepMode = true;
        SendAndTick();
        EXPECT_EQ(Image(0), kRowImageHalt);
        EXPECT_EQ(Image(1), kRowImageHalt);
        EXPECT_EQ(Image(2), kRowImageStepStop);
        if (detail) {
            EXPECT_EQ(terminal.text(), u"<送信済>\r\n<停止>\r\n"
                                       u"<送信済>\r\n<受信待>\r\n!<受信済>\r\n< 停止>\r\n"
                                       u"<送信済>\r\n<停止>\r\n<ｽﾃｯﾌﾟ停止>\r\n");
            EXPECT_EQ(Status(0), u"送信済 停止");
            EXPECT_EQ(Status(1), u" 停止");
            EXPECT_EQ(Status(2), u"送信済 ｽﾃｯﾌﾟ停止");
        } else {
            EXPECT_EQ(terminal.text(), u"!");
            for (int row = 0; row < 3; ++row)
                EXPECT_EQ(grid.GetCellText(row, SendTable::kSelectColumn), u" ") << row;
        }
    }
}

// The echo shows the line end the device got, and nothing where nothing was sent.
TEST_F(SequenceEngineRulesTest, LocalEchoOfEveryLineEnd)
{
    terminal.setLocalEcho(true);
    TickRow(0, u"");
    const std::tuple<LineEndSuffix, Bytes, std::u16string> cases[] = {
        {LineEndSuffix::None, {}, u""},
        {LineEndSuffix::Cr, {0x0D}, u"\r"},
        {LineEndSuffix::CrLf, {0x0D, 0x0A}, u"\r\n"},
        {LineEndSuffix::Lf, {0x0A}, u"\n"},
        // A settings file may hold any number.
        {static_cast<LineEndSuffix>(4), {0x0D, 0x0A}, u"\r\n"},
    };
    for (const auto& [lineEnd, bytes, echo] : cases) {
        SCOPED_TRACE(static_cast<int>(lineEnd));
        run.lineEnd = lineEnd;
        port.clearWritten();
        terminal.clear();
        SendAndTick();
        EXPECT_EQ(port.written(), bytes);
        EXPECT_EQ(terminal.text(), echo);
    }
}

// Reset starts the table over: after a halt on row 1, the next Send writes row 0 again, not the
// row after the halt.
TEST_F(SequenceEngineRulesTest, ResetStartsTheTableOverFromItsFirstRow)
{
    for (const int row : {0, 1, 2})
        TickRow(row, std::u16string(1, char16_t(u'A' + row)));
    grid.SetCellText(1, SendTable::kHaltColumn, u" ");
    SendAndTick();
    Tick();
    ASSERT_EQ(port.written(), Bytes({'A', 'B'}));
    engine.OnReset();
    SendAndTick();
    EXPECT_EQ(port.written(), Bytes({'A', 'B', 'A'}));
}

// A row that writes nothing (no text, no line end) still waits for its own kind of answer: the CR
// that answered the row before it does not answer a row that waits for NL.
TEST_F(SequenceEngineRulesTest, ARowThatWritesNothingWaitsForItsOwnKind)
{
    SetRow(0, u"A", WaitKind::Cr, 100);
    SetRow(1, u"", WaitKind::Nl, 100);
    SetRow(2, u"C", WaitKind::None, 100);
    SendAndTick();
    Receive({0x0D});
    Tick();
    Tick();
    Receive({0x0D});
    EXPECT_EQ(Image(1), kRowImageWaiting);
    Receive({0x0A});
    Tick();
    Tick();
    EXPECT_EQ(port.written(), Bytes({'A', 'C'}));
}

// Every clear of the markers — Reset, a Send that starts the table over, and a new cycle — takes
// the icons of rows that are no longer ticked as well, so no stale mark outlives its row.
TEST_F(SequenceEngineRulesTest, ClearingMarkersTakesTheIconsOfUntickedRowsToo)
{
    const auto runBothRows = [this] {
        TickRow(0);
        TickRow(1);
        grid.SetCellText(1, SendTable::kWaitColumn, u"NL");
        SendAndTick();
        Tick();
        Receive({0x0A});
        Tick();
        ASSERT_EQ(FirstImages(), (std::vector<int>{kRowImageSent, kRowImageSent}));
        ASSERT_TRUE(run.endReached);
    };

    runBothRows();
    Untick(0);
    Untick(1);
    engine.OnReset();
    EXPECT_EQ(FirstImages(), (std::vector<int>{kRowImageNone, kRowImageNone}));

    runBothRows();
    Untick(0);
    engine.OnSend();
    EXPECT_EQ(FirstImages(), (std::vector<int>{kRowImageNone, kRowImageNone}));

    engine.OnReset();
    run.cyclic = true;
    runBothRows();
    Untick(0);
    Tick();
    EXPECT_EQ(FirstImages(), (std::vector<int>{kRowImageNone, kRowImageWaiting}));
}

} // namespace
} // namespace wirevane
