#include "commands/table_commands.h"
#include "core/memory_cell_grid.h"

#include <gtest/gtest.h>
#include <vector>

namespace wirevane {
namespace {

using Texts = std::vector<std::u16string>;

// A started table: rows 2 and 5 carry data, row 5 is ticked, row 7 is ticked without data.
class TableCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.rows()[2].data = u"AT";
        table.rows()[5] = SendRow{1, u"ATZ", WaitKind::Cr, 1, 250};
        table.rows()[7].sendFlag = 1;
        table.FillAtStartup();
    }

    std::u16string Cell(int row, int column) const { return grid.GetCellText(row, column); }
    int Image(int row, int column) const { return grid.GetCellImage(row, column); }
    // A row's data, wait, halt and delay cells.
    std::vector<std::u16string> Fields(int row) const
    {
        return {Cell(row, SendTable::kDataColumn), Cell(row, SendTable::kWaitColumn),
                Cell(row, SendTable::kHaltColumn), Cell(row, SendTable::kDelayColumn)};
    }

    RunState run;
    MemoryCellGrid grid;
    SendTable table{grid, run};
};

TEST_F(TableCommands, NewRewritesEveryRowAlikeAndUnticked)
{
    grid.SetCellText(42, SendTable::kNumberColumn, u"x");
    NewTable(table, {u"<New Data>", WaitKind::Nl, 1, 12, u"re:^OK"});
    for (int row = 0; row < SendTable::kRowCount; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Cell(row, SendTable::kSelectColumn), u"");
        EXPECT_EQ(Image(row, SendTable::kSelectColumn), 0);
        const std::string number = std::to_string(row);
        EXPECT_EQ(Cell(row, SendTable::kNumberColumn),
                  std::u16string(number.begin(), number.end()));
        EXPECT_EQ(Fields(row), (Texts{u"<New Data>", u"NL", u" ", u"12"}));
        EXPECT_EQ(Image(row, SendTable::kHaltColumn), 1);
        EXPECT_EQ(Cell(row, SendTable::kExpectColumn), u"re:^OK");
    }
    EXPECT_EQ(grid.GetRowCount(), SendTable::kRowCount) << "rows are rewritten, never added";
}

TEST_F(TableCommands, NewWithEmptyDataAndUnknownWaitIndex)
{
    NewTable(table, {u"", static_cast<WaitKind>(9), 0, 0, u""});
    EXPECT_EQ(Fields(5), (Texts{u"", u"なし", u"", u"0"}));
    EXPECT_EQ(Image(5, SendTable::kHaltColumn), 0);
    EXPECT_FALSE(table.FindNextTicked(0).has_value());
}

TEST_F(TableCommands, SelectAllTicksOnlyRowsWithDataInTheDetailText)
{
    grid.SetCellText(9, SendTable::kDataColumn, u"typed in the grid");
    SelectAll(table, true);
    EXPECT_EQ(Cell(2, SendTable::kSelectColumn), u"送信する");
    EXPECT_EQ(Image(2, SendTable::kSelectColumn), 1);
    EXPECT_EQ(Cell(5, SendTable::kSelectColumn), u"送信する");
    EXPECT_EQ(Cell(9, SendTable::kSelectColumn), u"送信する");
    EXPECT_EQ(table.rows()[9].data, u"typed in the grid") << "the row copy is refreshed";
    EXPECT_EQ(Cell(0, SendTable::kSelectColumn), u"");
    EXPECT_EQ(Image(0, SendTable::kSelectColumn), 0);
    EXPECT_EQ(Cell(7, SendTable::kSelectColumn), u" ") << "a row without data keeps its cell";
    EXPECT_GT(grid.focusRequests(), 0) << "an open editor commits before the data is read";

    SelectAll(table, false);
    EXPECT_EQ(Cell(2, SendTable::kSelectColumn), u" ");
    EXPECT_EQ(Cell(9, SendTable::kSelectColumn), u" ");
}

TEST_F(TableCommands, SelectAllOnATableWithoutDataChangesNothing)
{
    NewTable(table, {u"", WaitKind::None, 0, 100, u""});
    grid.SetCellText(3, SendTable::kSelectColumn, u"送信済");
    SelectAll(table, true);
    for (int row = 0; row < SendTable::kRowCount; ++row)
        EXPECT_EQ(Cell(row, SendTable::kSelectColumn), row == 3 ? u"送信済" : u"") << row;
}

TEST_F(TableCommands, DeselectAllClearsRowsWithAndWithoutData)
{
    grid.SetCellText(5, SendTable::kSelectColumn, u"送信済");
    DeselectAll(table);
    for (int row : {5, 7}) {
        EXPECT_EQ(Cell(row, SendTable::kSelectColumn), u"") << row;
        EXPECT_EQ(Image(row, SendTable::kSelectColumn), 0) << row;
    }
    EXPECT_EQ(Cell(5, SendTable::kDataColumn), u"ATZ");
    EXPECT_FALSE(table.FindNextTicked(0).has_value());
}

TEST_F(TableCommands, BulkChangeWithNoBoxTickedChangesNothing)
{
    BulkChange(table, {false, false, false, false, u"X", WaitKind::Any, 0, 1, false, u""});
    EXPECT_EQ(Fields(5), (Texts{u"ATZ", u"CR", u" ", u"250"}));
}

TEST_F(TableCommands, BulkChangeOfTheDelayTouchesOnlyColumnSixOfTickedRows)
{
    grid.SetCellText(2, SendTable::kSelectColumn, u"送信済"); // a status text still ticks
    BulkChange(table, {false, false, false, true, u"X", WaitKind::Any, 0, 10, false, u""});
    for (int row : {2, 5, 7})
        EXPECT_EQ(Cell(row, SendTable::kDelayColumn), u"10") << row;
    EXPECT_EQ(Cell(4, SendTable::kDelayColumn), u"100");
    EXPECT_EQ(Fields(5), (Texts{u"ATZ", u"CR", u" ", u"10"}));
    EXPECT_EQ(Cell(2, SendTable::kSelectColumn), u"送信済");
}

TEST_F(TableCommands, BulkChangeAppliesEveryTickedBoxToTickedRowsOnly)
{
    grid.SetCellText(4, SendTable::kExpectColumn, u"kept");
    BulkChangeValues values{true, true, true, true, u"", static_cast<WaitKind>(7),
                            0,    5,    true, u"OK"};
    BulkChange(table, values);
    EXPECT_EQ(Cell(5, SendTable::kExpectColumn), u"OK");
    EXPECT_EQ(Cell(4, SendTable::kExpectColumn), u"kept");
    // Empty data passes through.
    EXPECT_EQ(Fields(5), (Texts{u"", u"なし", u"", u"5"}));
    EXPECT_EQ(Image(5, SendTable::kHaltColumn), 0);
    EXPECT_EQ(Fields(4), (Texts{u"", u"なし", u"", u"100"}));
    EXPECT_EQ(Cell(2, SendTable::kDataColumn), u"AT");

    BulkChange(table, {false, true, true, false, u"", WaitKind::Any, 1, 0, false, u""});
    EXPECT_EQ(Cell(7, SendTable::kWaitColumn), u"Any");
    EXPECT_EQ(Cell(7, SendTable::kHaltColumn), u" ");
    EXPECT_EQ(Image(7, SendTable::kHaltColumn), 1);
    EXPECT_EQ(Cell(2, SendTable::kHaltColumn), u"");
    EXPECT_EQ(Cell(5, SendTable::kExpectColumn), u"OK") << "an unticked box keeps the answer";
}

} // namespace
} // namespace wirevane
