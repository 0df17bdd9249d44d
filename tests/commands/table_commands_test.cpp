#include "commands/table_commands.h"
#include "core/memory_cell_grid.h"

#include <gtest/gtest.h>
#include <vector>

namespace wirevane {
namespace {

using Col = SendTable::Column;
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
    // A row's cells from the select column to the expected answer, each check cell followed by
    // its image index.
    Texts Row(int row) const
    {
        const auto image = [&](int column) { return Image(row, column) == 1 ? u"1" : u"0"; };
        return {Cell(row, Col::kSelectColumn), image(Col::kSelectColumn),
                Cell(row, Col::kDataColumn),   Cell(row, Col::kWaitColumn),
                Cell(row, Col::kHaltColumn),   image(Col::kHaltColumn),
                Cell(row, Col::kDelayColumn),  Cell(row, Col::kExpectColumn)};
    }
    Texts Selects(std::initializer_list<int> rows) const
    {
        Texts cells;
        for (int row : rows)
            cells.push_back(Cell(row, Col::kSelectColumn));
        return cells;
    }

    RunState run;
    MemoryCellGrid grid;
    SendTable table{grid, run};
};

TEST_F(TableCommands, NewRewritesEveryRowAlikeAndUntickedWhateverItsValues)
{
    grid.SetCellText(42, Col::kNumberColumn, u"x");
    NewTable(table, {u"<New Data>", WaitKind::Nl, 1, 12, u"re:^OK"});
    for (int row = 0; row < SendTable::kRowCount; ++row) {
        SCOPED_TRACE(row);
        const std::string number = std::to_string(row);
        EXPECT_EQ(Cell(row, Col::kNumberColumn), std::u16string(number.begin(), number.end()));
        EXPECT_EQ(Row(row), (Texts{u"", u"0", u"<New Data>", u"NL", u" ", u"1", u"12", u"re:^OK"}));
    }
    EXPECT_EQ(grid.GetRowCount(), SendTable::kRowCount) << "rows are rewritten, never added";

    // Empty data, and a wait index the list does not have.
    NewTable(table, {u"", static_cast<WaitKind>(9), 0, 0, u""});
    EXPECT_EQ(Row(5), (Texts{u"", u"0", u"", u"なし", u"", u"0", u"0", u""}));
    EXPECT_FALSE(table.FindNextTicked(0).has_value());
}

TEST_F(TableCommands, SelectAllTicksOnlyRowsWithDataInTheDetailText)
{
    grid.SetCellText(9, Col::kDataColumn, u"typed in the grid");
    SelectAll(table, true);
    // Row 7 has no data and keeps its cell.
    EXPECT_EQ(Selects({0, 2, 5, 7, 9}), (Texts{u"", u"送信する", u"送信する", u" ", u"送信する"}));
    EXPECT_EQ(Image(2, Col::kSelectColumn), 1);
    EXPECT_EQ(Image(0, Col::kSelectColumn), 0);
    EXPECT_EQ(table.rows()[9].data, u"typed in the grid") << "the row copy is refreshed";
    EXPECT_GT(grid.focusRequests(), 0) << "an open editor commits before the data is read";

    SelectAll(table, false);
    EXPECT_EQ(Selects({2, 9}), (Texts{u" ", u" "}));

    // On a table without data nothing changes.
    NewTable(table, {u"", WaitKind::None, 0, 100, u""});
    grid.SetCellText(3, Col::kSelectColumn, u"送信済");
    SelectAll(table, true);
    for (int row = 0; row < SendTable::kRowCount; ++row)
        EXPECT_EQ(Cell(row, Col::kSelectColumn), row == 3 ? u"送信済" : u"") << row;
}

TEST_F(TableCommands, DeselectAllClearsRowsWithAndWithoutData)
{
    grid.SetCellText(5, Col::kSelectColumn, u"送信済");
    DeselectAll(table);
    EXPECT_EQ(Row(5), (Texts{u"", u"0", u"ATZ", u"CR", u" ", u"1", u"250", u""}));
    EXPECT_EQ(Row(7), (Texts{u"", u"0", u"", u"なし", u"", u"0", u"100", u""}));
    EXPECT_FALSE(table.FindNextTicked(0).has_value());
}

TEST_F(TableCommands, BulkChangeOfNothingOrOfTheDelayTouchesOnlyThatColumnOfTickedRows)
{
    BulkChange(table, {false, false, false, false, u"X", WaitKind::Any, 0, 1, false, u""});
    EXPECT_EQ(Row(5), (Texts{u" ", u"1", u"ATZ", u"CR", u" ", u"1", u"250", u""}));

    grid.SetCellText(2, Col::kSelectColumn, u"送信済"); // a status text still ticks
    BulkChange(table, {false, false, false, true, u"X", WaitKind::Any, 0, 10, false, u""});
    for (int row : {2, 5, 7})
        EXPECT_EQ(Cell(row, Col::kDelayColumn), u"10") << row;
    EXPECT_EQ(Cell(4, Col::kDelayColumn), u"100");
    EXPECT_EQ(Row(5), (Texts{u" ", u"1", u"ATZ", u"CR", u" ", u"1", u"10", u""}));
    EXPECT_EQ(Cell(2, Col::kSelectColumn), u"送信済");
}

TEST_F(TableCommands, BulkChangeAppliesEveryTickedBoxToTickedRowsOnly)
{
    grid.SetCellText(4, Col::kExpectColumn, u"kept");
    BulkChangeValues values{true, true, true, true, u"", static_cast<WaitKind>(7),
                            0,    5,    true, u"OK"};
    BulkChange(table, values);
    // Empty data passes through.
    EXPECT_EQ(Row(5), (Texts{u" ", u"1", u"", u"なし", u"", u"0", u"5", u"OK"}));
    EXPECT_EQ(Row(4), (Texts{u"", u"0", u"", u"なし", u"", u"0", u"100", u"kept"}));
    EXPECT_EQ(Cell(2, Col::kDataColumn), u"AT");

    BulkChange(table, {false, true, true, false, u"", WaitKind::Any, 1, 0, false, u""});
    // Row 7 carries no data; the unticked boxes keep what the first change wrote.
    EXPECT_EQ(Row(7), (Texts{u" ", u"1", u"", u"Any", u" ", u"1", u"5", u"OK"}));
    EXPECT_EQ(Cell(2, Col::kHaltColumn), u"");
}

} // namespace
} // namespace wirevane
