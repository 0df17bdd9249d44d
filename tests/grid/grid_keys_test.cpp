#include "grid/grid_header.h"
#include "send_grid_fixture.h"

#include <QClipboard>
#include <QToolTip>

namespace wirevane::test {
namespace {

using Col = SendTable::Column;

class GridKeysTest : public SendGridTest {
protected:
    GridKeysTest()
    {
        grid.SetTypeAheadClock([this] { return now; });
    }
    void type(const QString& text)
    {
        for (QChar ch : text)
            QTest::keyClick(&grid, ch.toLatin1());
    }
    QString clipboard() { return QApplication::clipboard()->text(); }

    int64_t now = 1000;
};

TEST_F(GridKeysTest, CopyGivesTheFocusCellOfOneRowOrTheVisibleColumnsInDisplayOrder)
{
    grid.SetCellText(4, Col::kDataColumn, u"ATZ");
    click(labelPoint(4, Col::kDataColumn));
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), QStringLiteral("ATZ"));

    grid.SetCellText(1, Col::kDataColumn, u"one");
    grid.SetCellText(2, Col::kDataColumn, u"two");
    table.SetRowStatus(2, u" ");
    grid.ShowColumn(Col::kNumberColumn, false);
    // The delay column moves to the front of the visible ones.
    grid.GetGridHeader().moveSection(grid.GetGridHeader().visualIndex(Col::kDelayColumn), 2);
    click(labelPoint(1, Col::kDataColumn));
    click(labelPoint(2, Col::kDataColumn), Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(),
              QString::fromUtf16(u"遅延[ms]\t選択\t送信データ\t受信待\t停止\t期待応答\r\n"
                                 u"100\t\tone\tなし\t\t\r\n"
                                 u"100\t \ttwo\tなし\t\t"));

    // One row without a focus column copies as a header and that row.
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Left);
    grid.Selection().SelectRow(2, true);
    ASSERT_EQ(grid.Selection().FocusColumn(), -1);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(clipboard().startsWith(QString::fromUtf16(u"遅延[ms]\t")));
    EXPECT_TRUE(clipboard().endsWith(QString::fromUtf16(u"\r\n100\t \ttwo\tなし\t\t")));
}

TEST_F(GridKeysTest, LeftAndRightMoveTheFocusCellAcrossVisibleColumns)
{
    grid.ShowColumn(Col::kNumberColumn, false);
    click(labelPoint(0, Col::kDataColumn));
    // Left of the first visible column lies a hidden one: the whole row (-1) gets the focus.
    for (int column : {int(Col::kSelectColumn), -1, -1}) {
        key(Qt::Key_Left);
        EXPECT_EQ(grid.Selection().FocusColumn(), column);
    }
    for (int column : {Col::kSelectColumn, Col::kDataColumn, Col::kWaitColumn, Col::kHaltColumn,
                       Col::kDelayColumn, Col::kExpectColumn, Col::kExpectColumn}) {
        key(Qt::Key_Right);
        EXPECT_EQ(grid.Selection().FocusColumn(), column);
    }
    EXPECT_EQ(grid.Selection().FocusRow(), 0);
}

TEST_F(GridKeysTest, TypeAheadFindsTheNextRowBeginningWithTheTypedLetters)
{
    grid.SetCellText(3, Col::kDataColumn, u"AB");
    grid.SetCellText(5, Col::kDataColumn, u"at+x");
    grid.SetCellText(8, Col::kDataColumn, u"ATZ");
    click(labelPoint(0, Col::kDataColumn));
    // A pause of two seconds starts a new search; the same single letter again searches on
    // instead of growing the text; "T" alone matches nothing and nothing moves.
    // The pause in seconds, the letter typed, and the row found.
    const std::tuple<int, const char*, int> steps[] = {{0, "A", 3}, {0, "T", 5}, {2, "A", 8},
                                                       {0, "A", 3}, {0, "A", 5}, {2, "T", 5}};
    for (const auto& [pause, typed, found] : steps) {
        now += pause;
        type(QString::fromLatin1(typed));
        EXPECT_EQ(grid.Selection().SelectedRows(), std::vector<int>{found}) << typed;
        EXPECT_EQ(grid.Selection().FocusRow(), found);
    }
}

TEST_F(GridKeysTest, TypeAheadNeedsAFocusColumnAndCtrlForgetsTheText)
{
    grid.SetCellText(6, Col::kDataColumn, u"XY");
    grid.SetCellText(9, Col::kDataColumn, u"Y");
    click(labelPoint(0, Col::kDataColumn));
    type(QStringLiteral("X"));
    ASSERT_EQ(grid.Selection().FocusRow(), 6);
    key(Qt::Key_B, Qt::ControlModifier);
    type(QStringLiteral("Y"));
    EXPECT_EQ(grid.Selection().FocusRow(), 9);

    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Left);
    ASSERT_EQ(grid.Selection().FocusColumn(), -1);
    type(QStringLiteral("X"));
    EXPECT_EQ(grid.Selection().FocusRow(), 9);
}

TEST_F(GridKeysTest, LongCellsShowTheirFirst79CharactersAsTooltip)
{
    const QString hundred = QStringLiteral("0123456789").repeated(10);
    grid.SetCellText(2, Col::kDataColumn, hundred.toStdU16String());
    EXPECT_EQ(grid.CellToolTipText(2, Col::kDataColumn), hundred.left(79));

    hover(viewport(), labelPoint(2, Col::kDataColumn));
    EXPECT_EQ(QToolTip::text(), hundred.left(79));

    // An empty cell shows none.
    hover(viewport(), labelPoint(3, Col::kDataColumn));
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    EXPECT_EQ(grid.CellToolTipText(3, Col::kDataColumn), QString());

    // Text that looks like markup is shown as it stands.
    grid.SetCellText(4, Col::kDataColumn, u"<b>x</b>");
    hover(viewport(), labelPoint(4, Col::kDataColumn));
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("&lt;b&gt;x&lt;/b&gt;")));
}

TEST_F(GridKeysTest, DraggingRowsOnlyClearsTheFocusColumnAndCtrlASelectsEveryRow)
{
    grid.SetCellText(1, Col::kDataColumn, u"first");
    const QPoint from = labelPoint(1, Col::kDataColumn);
    const QPoint to = labelPoint(6, Col::kDataColumn);
    QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(viewport(), &move);
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(grid.Selection().FocusColumn(), -1);
    EXPECT_EQ(grid.Selection().SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(grid.GetCellText(1, Col::kDataColumn), u"first");

    click(labelPoint(3, Col::kDataColumn));
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid.Selection().SelectedRows().size(), 100u);
}

} // namespace
} // namespace wirevane::test
