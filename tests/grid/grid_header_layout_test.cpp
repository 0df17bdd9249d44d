#include "fakes/recording_profile_files.h"
#include "grid/grid_header.h"
#include "grid/layout/stored_layout.h"
#include "grid/layout/view_config_section_win_app.h"
#include "menu_actions.h"
#include "send_grid_fixture.h"
#include "support/temp_dir.h"

namespace wirevane::test {
namespace {

using Col = SendTable::Column;

const std::u16string kDefaultSection = u"Profile ListTX__デフォルト";

// The send table with its layout section attached, stored in a real INI file.
class GridLayoutTest : public SendGridTest {
protected:
    GridLayoutTest()
    {
        auto section = std::make_unique<CViewConfigSectionWinApp>(u"Profile ListTX", store);
        section->RegisterProfile(u"デフォルト");
        section->RegisterProfile(u"カスタム");
        grid.AttachColumnLayout(std::move(section));
    }

    platform::IniDocument file() { return IniFile(dir / "Wirevane.ini"); }
    int storedWidth(const std::u16string& section, int n)
    {
        return file().readInt(section, u"ColumnWidth_" + CViewConfigSection::ConvertInt(n), -1);
    }
    std::vector<int> visibleColumns()
    {
        std::vector<int> columns;
        for (int column : grid.GetColumnOrder()) {
            if (grid.IsColumnVisible(column))
                columns.push_back(column);
        }
        return columns;
    }
    void trigger(int headerColumn, const QString& text)
    {
        std::unique_ptr<QMenu> menu = grid.CreateHeaderMenu(headerColumn);
        QAction* action = FindAction(*menu, text);
        ASSERT_NE(action, nullptr) << text.toStdString();
        action->trigger();
    }
    QWidget* header() { return grid.GetGridHeader().viewport(); }
    int width(int column) { return grid.GetGridHeader().sectionSize(column); }
    QPoint headerPoint(int column, int dx = 0)
    {
        CGridHeader& h = grid.GetGridHeader();
        return QPoint(h.sectionViewportPosition(column) + width(column) / 2 + dx, h.height() / 2);
    }
    // On the column's right edge, where a drag resizes it.
    QPoint dividerPoint(int column) { return headerPoint(column, (width(column) - 1) / 2); }
    void dragInHeader(QPoint from, QPoint to)
    {
        QTest::mousePress(header(), Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(header(), from + (to - from) * step / 4);
        QTest::mouseRelease(header(), Qt::LeftButton, {}, to);
    }

    TempDir dir;
    RecordingProfileFiles files;
    ProfileStore store{dir / "Wirevane.ini", files};
};

TEST_F(GridLayoutTest, TheHeaderMenuOffersEveryColumnButTheHiddenOne)
{
    grid.GetColumnTrait(Col::kDataColumn)->GetColumnState().alwaysVisible = true;
    std::unique_ptr<QMenu> menu = grid.CreateHeaderMenu(Col::kWaitColumn);
    EXPECT_EQ(Texts(*menu),
              QString::fromUtf16(u"グループ表示「受信待」|選択|No.|送信データ|受信待|停止|"
                                 u"遅延[ms]|期待応答|列(縦) プロフィール|リセット 列(縦)")
                  .split(u'|'));
    QAction* data = FindAction(*menu, QString::fromUtf16(u"送信データ"));
    EXPECT_TRUE(data->isChecked());
    EXPECT_FALSE(data->isEnabled());
    EXPECT_TRUE(FindAction(*menu, QString::fromUtf16(u"デフォルト"))->isChecked());
    EXPECT_FALSE(FindAction(*menu, QString::fromUtf16(u"カスタム"))->isChecked());
}

TEST_F(GridLayoutTest, HidingAndShowingAColumnSavesEachTimeAndRestoresItsWidth)
{
    grid.SetColumnWidth(Col::kNumberColumn, 77);
    trigger(Col::kNumberColumn, QStringLiteral("No."));
    EXPECT_FALSE(grid.IsColumnVisible(Col::kNumberColumn));
    EXPECT_EQ(StoredLayout(file(), kDefaultSection), "0:42 2:240 3:60 4:42 5:80 ");

    trigger(Col::kNumberColumn, QStringLiteral("No."));
    EXPECT_EQ(visibleColumns(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(width(Col::kNumberColumn), 77);
    EXPECT_EQ(StoredLayout(file(), kDefaultSection), "0:42 1:77 2:240 3:60 4:42 5:80 ");
}

// Switching profile shows each profile's layout; reset shows the default one.
TEST_F(GridLayoutTest, SwitchingProfileOrResettingFromTheMenuShowsThatLayout)
{
    trigger(Col::kNumberColumn, QStringLiteral("No."));
    trigger(Col::kDataColumn, QString::fromUtf16(u"カスタム"));
    // Nothing is stored for the new profile: it shows the default layout.
    EXPECT_EQ(visibleColumns(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(
        FindAction(*grid.CreateHeaderMenu(-1), QString::fromUtf16(u"カスタム"))->isChecked());

    trigger(Col::kDataColumn, QString::fromUtf16(u"デフォルト"));
    EXPECT_EQ(visibleColumns(), (std::vector<int>{1, 3, 4, 5, 6, 7}));

    trigger(Col::kHaltColumn, QString::fromUtf16(u"停止"));
    grid.SetColumnWidth(Col::kDataColumn, 100);
    trigger(-1, QString::fromUtf16(u"リセット 列(縦)"));
    EXPECT_EQ(visibleColumns(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(width(Col::kDataColumn), 240);
}

TEST_F(GridLayoutTest, ReorderingAloneSavesNothingAndTheNextWidthChangeStoresTheOrder)
{
    const int writes = files.replaceCount;
    grid.MoveCellFocus(Col::kDataColumn, false);
    dragInHeader(headerPoint(Col::kSelectColumn), headerPoint(Col::kWaitColumn, 10));
    EXPECT_EQ(visibleColumns(), (std::vector<int>{2, 3, 4, 1, 5, 6, 7}));
    EXPECT_EQ(grid.Selection().FocusColumn(), -1);
    EXPECT_EQ(files.replaceCount, writes);

    // A width set through the list saves first: the file holds the width before the change.
    EXPECT_TRUE(grid.SetColumnWidth(Col::kDataColumn, 300));
    EXPECT_EQ(StoredLayout(file(), kDefaultSection), "1:50 2:240 3:60 0:42 4:42 5:80 ");
    EXPECT_EQ(width(Col::kDataColumn), 300);
}

// No column is dropped in front of the hidden ones, and none of them can be pulled open.
TEST_F(GridLayoutTest, HiddenColumnsStayInFrontAndClosedUnderDrags)
{
    trigger(Col::kNumberColumn, QStringLiteral("No."));
    dragInHeader(headerPoint(Col::kDelayColumn), QPoint(1, grid.GetGridHeader().height() / 2));
    const std::vector<int> order = grid.GetColumnOrder();
    EXPECT_FALSE(grid.IsColumnVisible(order[0]));
    EXPECT_FALSE(grid.IsColumnVisible(order[1]));
    EXPECT_EQ(visibleColumns(), (std::vector<int>{6, 1, 3, 4, 5, 7}));

    const int writes = files.replaceCount;
    for (int x : {0, 1, 2}) {
        const QPoint edge(x, grid.GetGridHeader().height() / 2);
        dragInHeader(edge, edge + QPoint(30, 0));
    }
    EXPECT_FALSE(grid.IsColumnVisible(0));
    EXPECT_FALSE(grid.IsColumnVisible(Col::kNumberColumn));
    EXPECT_EQ(width(Col::kNumberColumn), 0);
    EXPECT_EQ(files.replaceCount, writes);
}

// The end of a divider drag saves the new width; a double-click on the divider fits the column
// after saving its old width.
TEST_F(GridLayoutTest, DividerDragsAndDoubleClicksSaveTheWidthBeforeTheNextChange)
{
    int writes = files.replaceCount;
    QPoint divider = dividerPoint(Col::kDataColumn);
    QTest::mousePress(header(), Qt::LeftButton, {}, divider);
    QTest::mouseMove(header(), divider + QPoint(20, 0));
    QTest::mouseMove(header(), divider + QPoint(40, 0));
    EXPECT_EQ(files.replaceCount, writes);
    QTest::mouseRelease(header(), Qt::LeftButton, {}, divider + QPoint(40, 0));
    EXPECT_EQ(width(Col::kDataColumn), 280);
    EXPECT_EQ(files.replaceCount, writes + 1);
    EXPECT_EQ(storedWidth(kDefaultSection, 2), 280);

    grid.SetCellText(0, Col::kDataColumn, u"a long line of send data to fit");
    writes = files.replaceCount;
    // As the platform delivers a double-click: press, release, press, double-click, release.
    divider = dividerPoint(Col::kDataColumn);
    QTest::mouseClick(header(), Qt::LeftButton, {}, divider);
    QTest::mousePress(header(), Qt::LeftButton, {}, divider);
    QTest::mouseDClick(header(), Qt::LeftButton, {}, divider);
    QTest::mouseRelease(header(), Qt::LeftButton, {}, divider);
    EXPECT_EQ(files.replaceCount, writes + 1);
    const int fitted = width(Col::kDataColumn);
    EXPECT_NE(fitted, 280);
    EXPECT_GT(fitted, grid.fontMetrics().horizontalAdvance(QStringLiteral("a long line")));
    EXPECT_EQ(storedWidth(kDefaultSection, 2), 280);
}

TEST_F(GridLayoutTest, CtrlNumpadPlusFitsEveryVisibleColumn)
{
    grid.SetCellText(3, Col::kDelayColumn, u"1234567890123456789012345");
    const int writes = files.replaceCount;
    key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_GT(width(Col::kDelayColumn), 80);
    EXPECT_LT(width(Col::kDataColumn), 240);
    EXPECT_EQ(width(0), 0);
    // Each fitted column saved the layout before its own change: the last save holds the fitted
    // widths of the columns before the expected-answer column and that column's old width.
    EXPECT_EQ(files.replaceCount, writes + 7);
    EXPECT_EQ(storedWidth(kDefaultSection, 2), width(Col::kDataColumn));
    EXPECT_EQ(storedWidth(kDefaultSection, 5), width(Col::kDelayColumn));
    EXPECT_TRUE(file().keyNames(u"WIREVANE").empty());
}

TEST_F(GridLayoutTest, APressOnTheHeaderCommitsARunningEdit)
{
    grid.StartCellEdit(0, Col::kDataColumn);
    ASSERT_NE(grid.GetEditor(), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("typed"));
    QTest::mouseClick(header(), Qt::LeftButton, {}, headerPoint(Col::kWaitColumn));
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetCellText(0, Col::kDataColumn), u"typed");
}

TEST_F(GridLayoutTest, WidthsAreRefusedForFixedAndHiddenColumns)
{
    const int writes = files.replaceCount;
    EXPECT_FALSE(grid.SetColumnWidth(0, 30));
    EXPECT_TRUE(grid.SetColumnWidth(0, 0));
    grid.GetColumnTrait(Col::kWaitColumn)->GetColumnState().resizable = false;
    EXPECT_FALSE(grid.SetColumnWidth(Col::kWaitColumn, 99));
    EXPECT_EQ(width(Col::kWaitColumn), 60);
    EXPECT_EQ(files.replaceCount, writes + 1);
}

TEST_F(GridLayoutTest, ALoadedLayoutPlacesHiddenColumnsInFrontAndSavesNothing)
{
    for (const auto& [key, value] : {std::pair{u"ColumnCount", 2},
                                     {u"ColumnData_0", 5},
                                     {u"ColumnWidth_0", 33},
                                     {u"ColumnData_1", 2},
                                     {u"ColumnWidth_1", 111}})
        ASSERT_TRUE(store.writeInt(kDefaultSection, key, value).ok());
    const int writes = files.replaceCount;
    grid.GetColumnLayout().LoadAttached();
    EXPECT_EQ(visibleColumns(), (std::vector<int>{6, 3, 7}));
    EXPECT_EQ(width(Col::kDelayColumn), 33);
    EXPECT_EQ(width(Col::kDataColumn), 111);
    EXPECT_EQ(files.replaceCount, writes);

    // A column hidden by the load comes back with the width it had.
    trigger(-1, QStringLiteral("No."));
    EXPECT_EQ(width(Col::kNumberColumn), 50);
    EXPECT_EQ(visibleColumns(), (std::vector<int>{6, 3, 7, 2}));
}

// The run's status is longer than a check box: the select column is shown wide enough for it,
// while the layout keeps the width the user gave the column, which comes back with the blanks.
TEST_F(GridLayoutTest, TheSelectColumnWidensForTheRunsStatusAndTheLayoutKeepsItsOwnWidth)
{
    CGridHeader& header = grid.GetGridHeader();
    const QString status = QString::fromUtf16(u"送信済 ｽﾃｯﾌﾟ停止");
    table.SetRowStatus(3, status.toStdU16String());
    const QRect label = grid.Geometry().LabelRect(3, Col::kSelectColumn);
    EXPECT_LE(grid.fontMetrics().horizontalAdvance(status), label.width() - 4);

    // A save while it is widened stores the width it had.
    grid.SetColumnWidth(Col::kDataColumn, 200);
    EXPECT_EQ(storedWidth(kDefaultSection, 0), 42);

    table.ClearMarkers();
    EXPECT_EQ(header.sectionSize(Col::kSelectColumn), 42);

    // A width the user gives it while it is widened is the one it keeps.
    table.SetRowStatus(3, status.toStdU16String());
    const int widened = header.sectionSize(Col::kSelectColumn);
    const QPoint divider = dividerPoint(Col::kSelectColumn);
    dragInHeader(divider, divider + QPoint(20, 0));
    EXPECT_EQ(storedWidth(kDefaultSection, 0), widened + 20);
    table.ClearMarkers();
    EXPECT_EQ(header.sectionSize(Col::kSelectColumn), widened + 20);
}

} // namespace
} // namespace wirevane::test
