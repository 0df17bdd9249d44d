#include "core/decimal_text.h"
#include "menu_actions.h"
#include "send_grid_fixture.h"

#include <QScrollBar>

namespace wirevane::test {
namespace {

using Col = SendTable::Column;

class GridGroupsTest : public SendGridTest {
protected:
    GridGroupsTest()
    {
        grid.SetCellText(3, Col::kWaitColumn, u"CR");
        grid.SetCellText(7, Col::kWaitColumn, u"CR");
        grid.SetCellText(5, Col::kWaitColumn, u"Any");
    }
    void groupByWaitFromTheHeader()
    {
        std::unique_ptr<QMenu> menu = grid.CreateHeaderMenu(Col::kWaitColumn);
        FindAction(*menu, QString::fromUtf16(u"グループ表示「受信待」"))->trigger();
    }
    // The header row spans the list; its cells in hidden columns have no place on screen.
    QRect groupHeaderRect(int group)
    {
        return grid.visualRect(grid.GetCellModel().index(group, Col::kDataColumn));
    }
    QPoint groupHeaderPoint(int group) { return groupHeaderRect(group).center(); }
    bool inSight(int row)
    {
        const QRect cell = grid.Geometry().CellRect(row, Col::kDataColumn);
        return !cell.isEmpty() && viewport()->rect().contains(cell);
    }
};

// Ungrouping from the header, offered only while grouped, keeps the scroll position.
TEST_F(GridGroupsTest, GroupingPutsEveryRowUnderTheGroupOfItsTextAndKeepsRowIndexes)
{
    EXPECT_EQ(FindAction(*grid.CreateHeaderMenu(Col::kDataColumn),
                         QString::fromUtf16(u"グループ表示解除")),
              nullptr);
    grid.Selection().SelectRow(7, true);
    groupByWaitFromTheHeader();
    ASSERT_TRUE(grid.IsGroupViewEnabled());
    // Each group's title and its number of rows, the first row and the last.
    std::u16string groups;
    for (const auto& [title, rows] : grid.GetCellModel().Groups())
        groups += title + u" " + DecimalText(int(rows.size())) + u" " + DecimalText(rows.front()) +
                  u"-" + DecimalText(rows.back()) + u"|";
    EXPECT_EQ(groups, u"なし 97 0-99|CR 2 3-7|Any 1 5-5|");

    EXPECT_EQ(grid.GetRowCount(), 100);
    EXPECT_EQ(grid.Selection().SelectedRows(), std::vector<int>{7});
    EXPECT_EQ(table.ReadRowWaitKind(7), WaitKind::Cr);
    table.SetRowImage(7, kRowImageSent);
    EXPECT_EQ(grid.GetCellImage(7, Col::kNumberColumn), 1);
    // Clicks reach the table row shown under its group.
    grid.EnsureRowVisible(5);
    click(iconPoint(5, Col::kSelectColumn));
    EXPECT_EQ(checks(Col::kSelectColumn, {4, 5}), "-x");
    EXPECT_EQ(grid.Geometry().CellRect(5, Col::kDataColumn).top(), groupHeaderRect(2).bottom() + 1);

    grid.verticalScrollBar()->setValue(12);
    FindAction(*grid.CreateHeaderMenu(-1), QString::fromUtf16(u"グループ表示解除"))->trigger();
    EXPECT_FALSE(grid.IsGroupViewEnabled());
    EXPECT_EQ(grid.verticalScrollBar()->value(), 12);
}

// A run shows each row it sends: the list scrolls only for a row out of sight, and a row in a
// folded group opens its group.
TEST_F(GridGroupsTest, ShowingARowScrollsOnlyForOneOutOfSightAndOpensItsGroup)
{
    grid.verticalScrollBar()->setValue(10);
    const int top = grid.verticalScrollBar()->value();
    ASSERT_TRUE(inSight(12));
    grid.EnsureRowVisible(12);
    EXPECT_EQ(grid.verticalScrollBar()->value(), top);
    grid.EnsureRowVisible(90);
    EXPECT_TRUE(inSight(90));
    grid.EnsureRowVisible(0);
    EXPECT_TRUE(inSight(0));

    groupByWaitFromTheHeader();
    grid.CollapseAllGroups();
    ASSERT_TRUE(grid.Geometry().CellRect(7, Col::kDataColumn).isEmpty());
    grid.EnsureRowVisible(7);
    EXPECT_TRUE(inSight(7));
}

// A run goes through rows faster than the screen shows frames: the list follows them with one
// scroll a frame, to the last of them, and a row back in sight meanwhile moves nothing.
TEST_F(GridGroupsTest, FollowingRowsScrollsOnceAFrameToTheLastOfThem)
{
    int scrolls = 0;
    QObject counting;
    QObject::connect(grid.verticalScrollBar(), &QScrollBar::valueChanged, &counting,
                     [&scrolls] { ++scrolls; });
    for (int row = 40; row < 90; ++row)
        table.ShowCurrentRow(row);
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(grid.Selection().FocusRow(), 89);
    ASSERT_TRUE(QTest::qWaitFor([&] { return inSight(89); }, 1000));
    EXPECT_EQ(scrolls, 1);

    const int top = grid.verticalScrollBar()->value();
    table.ShowCurrentRow(5);
    table.ShowCurrentRow(88);
    QTest::qWait(100);
    EXPECT_EQ(grid.verticalScrollBar()->value(), top);
    EXPECT_EQ(scrolls, 1);
}

TEST_F(GridGroupsTest, TheListMenuCollapsesExpandsChecksAndEndsGrouping)
{
    EXPECT_EQ(grid.CreateListMenu(labelPoint(0, Col::kDataColumn)), nullptr);
    grid.GroupByColumn(Col::kWaitColumn);

    std::unique_ptr<QMenu> onHeader = grid.CreateListMenu(groupHeaderPoint(1));
    EXPECT_EQ(Texts(*onHeader).join(u'|'),
              QStringLiteral("Check group: CR|Uncheck group: CR|Expand all groups|"
                             "Collapse all groups|Disable grouping"));
    FindAction(*onHeader, QStringLiteral("Check group: CR"))->trigger();
    EXPECT_TRUE(grid.GetCellModel().IsRowChecked(3));
    EXPECT_TRUE(grid.GetCellModel().IsRowChecked(7));
    EXPECT_FALSE(grid.GetCellModel().IsRowChecked(5));

    std::unique_ptr<QMenu> menu = grid.CreateListMenu(labelPoint(3, Col::kDataColumn));
    EXPECT_EQ(Texts(*menu).size(), 3);
    FindAction(*menu, QStringLiteral("Collapse all groups"))->trigger();
    EXPECT_TRUE(grid.Geometry().CellRect(3, Col::kDataColumn).isEmpty());
    FindAction(*menu, QStringLiteral("Expand all groups"))->trigger();
    EXPECT_FALSE(grid.Geometry().CellRect(3, Col::kDataColumn).isEmpty());

    // A click on a group header folds that group alone.
    grid.scrollTo(grid.GetCellModel().index(1, Col::kDataColumn));
    click(groupHeaderPoint(1));
    EXPECT_TRUE(grid.Geometry().CellRect(3, Col::kDataColumn).isEmpty());
    EXPECT_FALSE(grid.Geometry().CellRect(5, Col::kDataColumn).isEmpty());

    FindAction(*menu, QStringLiteral("Disable grouping"))->trigger();
    EXPECT_FALSE(grid.IsGroupViewEnabled());
    EXPECT_EQ(grid.GetCellModel().rowCount(), 100);
    EXPECT_EQ(grid.GetCellText(5, Col::kWaitColumn), u"Any");
    EXPECT_LT(grid.Geometry().CellRect(3, Col::kDataColumn).top(),
              grid.Geometry().CellRect(5, Col::kDataColumn).top());
}

TEST(GridEmptyList, AnEmptyListNeitherGroupsNorBreaks)
{
    RecordingGrid grid;
    SetUpSendTableColumns(grid);
    grid.GroupByColumn(Col::kWaitColumn);
    EXPECT_FALSE(grid.IsGroupViewEnabled());
    EXPECT_EQ(grid.EmptyListText(), u"There are no items to show in this view.");
    grid.resize(300, 200);
    EXPECT_FALSE(grid.grab().isNull());
}

} // namespace
} // namespace wirevane::test
