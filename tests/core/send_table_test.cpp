#include "support/engine_rig.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

// The table filled as at start-up, in the rig that wires it to the engine.
class SendTableTest : public ::testing::Test, protected test::EngineRig<> {};

TEST_F(SendTableTest, StartUpFillShowsEveryField)
{
    MemoryCellGrid other;
    SendTable filled(other, run);
    filled.rows()[4] = SendRow{1, u"AT", static_cast<WaitKind>(7), 1, -5};
    filled.FillAtStartup();
    EXPECT_EQ(other.GetRowCount(), 100);
    EXPECT_EQ(other.GetCellText(4, SendTable::kSelectColumn), u" ");
    EXPECT_EQ(other.GetCellText(4, SendTable::kNumberColumn), u"4");
    EXPECT_EQ(other.GetCellText(4, SendTable::kWaitColumn), u"なし");
    EXPECT_EQ(filled.rows()[4].waitKind, WaitKind::None);
    EXPECT_EQ(other.GetCellText(4, SendTable::kHaltColumn), u" ");
    EXPECT_EQ(other.GetCellText(4, SendTable::kDelayColumn), u"-5");
    EXPECT_EQ(other.GetCellText(5, SendTable::kSelectColumn), u"");
}

TEST_F(SendTableTest, CellsReadAsTheirFieldsAnyTextTicksUnknownWaitNamesAreRewrittenADelayIsDecimal)
{
    grid.SetCellText(3, SendTable::kSelectColumn, u"送信済");
    EXPECT_EQ(table.ReadRowSendFlag(3), 1);
    grid.SetCellText(3, SendTable::kWaitColumn, u"cr");
    run.matchByte = 0x0D;
    EXPECT_EQ(table.ReadRowWaitKind(3), WaitKind::None);
    EXPECT_EQ(grid.GetCellText(3, SendTable::kWaitColumn), u"なし");
    EXPECT_EQ(run.matchByte, 0);
    grid.SetCellText(3, SendTable::kWaitColumn, u"NL");
    EXPECT_EQ(table.ReadRowWaitKind(3), WaitKind::Nl);
    EXPECT_EQ(run.matchByte, 0x0A);
    EXPECT_GT(grid.focusRequests(), 0); // an open editor commits before the cell is read

    const auto delay = [this](std::u16string_view text) {
        grid.SetCellText(0, SendTable::kDelayColumn, std::u16string(text));
        return table.ReadRowDelay(0);
    };
    const std::pair<std::u16string_view, int> cases[] = {
        {u"250ms", 250}, {u"ms", 0}, {u" -5", -5}, {u"+7x", 7}, {u"", 0}, {u"\u20AC5", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(delay(text), value) << std::string(text.begin(), text.end());
    // Past the range of a 32-bit number, the nearest end of it.
    for (const std::u16string_view text :
         {u"2147483647", u"2147483648", u"3000000000", u"4294967296", u"99999999999999999999999"})
        EXPECT_EQ(delay(text), INT32_MAX) << std::string(text.begin(), text.end());
    EXPECT_EQ(delay(u"-2147483648"), INT32_MIN);
    EXPECT_EQ(delay(u"-4294967296"), INT32_MIN);
}

TEST_F(SendTableTest, FindNextTickedBoundsAndShowCurrentRowFocusesTheNumberCell)
{
    EXPECT_FALSE(table.FindNextTicked(0));
    grid.SetCellText(99, SendTable::kSelectColumn, u" ");
    EXPECT_EQ(table.FindNextTicked(99), 99);
    EXPECT_EQ(table.FindNextTicked(0), 99);
    EXPECT_FALSE(table.FindNextTicked(100));

    table.ShowCurrentRow(42);
    EXPECT_EQ(grid.visibleRow(), 42);
    EXPECT_EQ(grid.focusRow(), 42);
    EXPECT_EQ(grid.focusColumn(), SendTable::kNumberColumn);
    EXPECT_EQ(grid.selectionClears(), 1);
}

TEST_F(SendTableTest, ClearMarkersKeepsTicksAndUnticked)
{
    grid.SetCellText(1, SendTable::kSelectColumn, u"送信済 受信済");
    table.SetRowImage(1, kRowImageWaiting);
    table.ClearMarkers();
    EXPECT_EQ(grid.GetCellText(1, SendTable::kSelectColumn), u" ");
    EXPECT_EQ(grid.GetCellText(2, SendTable::kSelectColumn), u"");
    EXPECT_EQ(grid.GetCellImage(1, SendTable::kNumberColumn), kRowImageNone);
    run.detailView = true;
    table.ClearMarkers();
    EXPECT_EQ(grid.GetCellText(1, SendTable::kSelectColumn), u"送信する");
    EXPECT_EQ(grid.GetCellText(2, SendTable::kSelectColumn), u"");
}

} // namespace
} // namespace wirevane
