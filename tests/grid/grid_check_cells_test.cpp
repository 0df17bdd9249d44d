#include "send_grid_fixture.h"

#include <QMouseEvent>

namespace wirevane::test {
namespace {

using Col = SendTable::Column;

TEST_F(SendGridTest, ClickOnTheCheckImageTicksAndUnticksTheCell)
{
    ASSERT_EQ(checks(Col::kSelectColumn, {7}), "-");
    click(iconPoint(7, Col::kSelectColumn));
    EXPECT_EQ(checks(Col::kSelectColumn, {7}), "x");
    EXPECT_EQ(table.ReadRowSendFlag(7), 1);
    click(iconPoint(7, Col::kSelectColumn));
    EXPECT_EQ(checks(Col::kSelectColumn, {7}), "-");
    // The halt column has its own check images and flips the same way.
    click(iconPoint(7, Col::kHaltColumn));
    EXPECT_EQ(checks(Col::kHaltColumn, {7}), "x");
    EXPECT_EQ(table.ReadRowHalt(7), 1);
    EXPECT_EQ(grid.beginCount, 0);
}

// Ctrl and Shift clicks on an image, and clicks on the blank part of a check cell, only select.
TEST_F(SendGridTest, ModifiedClicksOnAnImageAndClicksBesideItOnlySelectAndFocus)
{
    click(iconPoint(1, Col::kSelectColumn), Qt::ControlModifier);
    click(iconPoint(3, Col::kSelectColumn), Qt::ShiftModifier);
    EXPECT_EQ(checks(Col::kSelectColumn, {1, 3}), "--");
    EXPECT_EQ(grid.Selection().SelectedRows(), (std::vector<int>{1, 2, 3}));

    click(labelPoint(4, Col::kSelectColumn));
    click(labelPoint(4, Col::kSelectColumn));
    EXPECT_EQ(checks(Col::kSelectColumn, {4}), "-");
    EXPECT_TRUE(grid.changes.empty());
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.Selection().SelectedRows(), std::vector<int>{4});
    EXPECT_EQ(grid.Selection().FocusRow(), 4);
    EXPECT_EQ(grid.Selection().FocusColumn(), Col::kSelectColumn);
}

// A flip outside the selection changes that row alone, though the selected rows would follow if
// the flip ignored where it was; a flip inside it takes the selected rows that differ along.
TEST_F(SendGridTest, SelectedRowsFollowAFlipInsideTheSelectionUnlessTheyAlreadyMatch)
{
    table.SetRowStatus(5, u" ");
    grid.SetCellImage(5, Col::kSelectColumn, 1);
    click(labelPoint(3, Col::kDataColumn));
    click(labelPoint(5, Col::kDataColumn), Qt::ShiftModifier);
    ASSERT_EQ(grid.Selection().SelectedRows(), (std::vector<int>{3, 4, 5}));

    click(iconPoint(8, Col::kSelectColumn));
    EXPECT_EQ(checks(Col::kSelectColumn, {3, 4, 5, 8}), "--xx");
    ASSERT_EQ(grid.changes.size(), 1u);
    EXPECT_EQ(grid.changes[0].row, 8);

    click(iconPoint(4, Col::kSelectColumn));
    EXPECT_EQ(checks(Col::kSelectColumn, {2, 3, 4, 5, 6}), "-xxx-");
    ASSERT_EQ(grid.changes.size(), 3u);
    EXPECT_EQ(grid.changes[1].row, 4);
    EXPECT_EQ(grid.changes[2].row, 3);
    // The flip keeps the selection, and rows outside it stay as they were.
    EXPECT_EQ(grid.Selection().SelectedRows(), (std::vector<int>{3, 4, 5}));
}

TEST_F(SendGridTest, DoubleClickOnACheckImageLeavesItAsItWas)
{
    const QPoint icon = iconPoint(2, Col::kSelectColumn);
    click(icon);
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, icon);
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, icon);
    EXPECT_EQ(checks(Col::kSelectColumn, {2}), "-");
    EXPECT_EQ(grid.changes.size(), 2u);

    // A platform that delivers the second press before the double-click: still two flips.
    auto send = [&](QEvent::Type type, ulong timestamp) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, icon, viewport()->mapToGlobal(icon), Qt::LeftButton, held, {});
        event.setTimestamp(timestamp);
        QApplication::sendEvent(viewport(), &event);
    };
    send(QEvent::MouseButtonPress, 100000);
    send(QEvent::MouseButtonRelease, 100050);
    send(QEvent::MouseButtonPress, 100100);
    send(QEvent::MouseButtonDblClick, 100100);
    send(QEvent::MouseButtonRelease, 100150);
    EXPECT_EQ(checks(Col::kSelectColumn, {2}), "-");
    EXPECT_EQ(grid.changes.size(), 4u);
}

TEST_F(SendGridTest, SpaceFlipsTheFocusCellLikeAClickOnItsImage)
{
    click(labelPoint(10, Col::kDataColumn));
    click(labelPoint(11, Col::kHaltColumn), Qt::ControlModifier);
    ASSERT_EQ(grid.Selection().SelectedRows(), (std::vector<int>{10, 11}));
    ASSERT_EQ(grid.Selection().FocusRow(), 11);
    ASSERT_EQ(grid.Selection().FocusColumn(), Col::kHaltColumn);

    key(Qt::Key_Space);
    EXPECT_EQ(checks(Col::kHaltColumn, {10, 11}), "xx");

    // On a cell without an image, Space flips nothing.
    grid.MoveCellFocus(Col::kDataColumn, true);
    const size_t before = grid.changes.size();
    key(Qt::Key_Space);
    EXPECT_EQ(grid.changes.size(), before);
}

TEST_F(SendGridTest, SpaceKeepsTheFocusOnItsRowSoArrowsAndSpaceTickAWholeColumn)
{
    // Ticked rows hold " " in the check column, the text a search for the typed space finds.
    for (int row : {2, 4, 40}) {
        table.SetRowStatus(row, u" ");
        grid.SetCellImage(row, Col::kSelectColumn, 1);
    }
    click(labelPoint(0, Col::kSelectColumn));
    ASSERT_EQ(grid.Selection().FocusRow(), 0);

    for (int row = 0; row < 100; ++row) {
        ASSERT_EQ(grid.Selection().FocusRow(), row);
        const std::string flipped = checks(Col::kSelectColumn, {row}) == "x" ? "-" : "x";
        key(Qt::Key_Space);
        ASSERT_EQ(grid.Selection().FocusRow(), row);
        EXPECT_EQ(checks(Col::kSelectColumn, {row}), flipped) << row;
        key(Qt::Key_Down);
    }
    EXPECT_EQ(grid.Selection().FocusRow(), 99);
    EXPECT_EQ(grid.Selection().FocusColumn(), Col::kSelectColumn);
    EXPECT_EQ(table.ReadRowSendFlag(50), 1);
    EXPECT_EQ(table.ReadRowSendFlag(40), 0);
}

TEST_F(SendGridTest, MarkersAreDrawnInTheNumberColumnWithoutBeingClickable)
{
    EXPECT_FALSE(grid.CellHasImage(0, Col::kNumberColumn));
    table.SetRowImage(0, kRowImageWaiting);
    EXPECT_TRUE(grid.CellHasImage(0, Col::kNumberColumn));
    // The marker's image index would be a ticked box in a check column; each column has its own.
    EXPECT_EQ(grid.GetCellImage(0, Col::kNumberColumn), 2);
    click(iconPoint(0, Col::kNumberColumn));
    click(iconPoint(0, Col::kNumberColumn));
    EXPECT_EQ(grid.GetCellImage(0, Col::kNumberColumn), 2);
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_TRUE(grid.changes.empty());
}

} // namespace
} // namespace wirevane::test
