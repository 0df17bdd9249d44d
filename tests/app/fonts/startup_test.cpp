#include "app/command_ids.h"
#include "app/main_window_rig.h"
#include "buttons/dialog_button_array.h"
#include "grid/grid_list_ctrl_groups.h"
#include "terminal/dialog_terminal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <algorithm>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using test::MainWindowRig;
using Ids = std::vector<int>;

template <typename T> T* Child(QWidget& window, int id)
{
    return window.findChild<T*>(QString::number(id));
}

TEST(MainWindowStartup,
     WithoutASettingsFileShowsTheDefaultsAndTheTableGrowsBothWaysAboveTheControlsRow)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    using namespace command;

    EXPECT_FALSE(Child<QCheckBox>(window, kCyclicBox)->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(window, kStepBox)->isChecked());
    EXPECT_EQ(Child<QComboBox>(window, kLineEndCombo)->currentIndex(), 2);
    EXPECT_EQ(Child<QComboBox>(window, kEncodingCombo)->currentIndex(), 0);
    EXPECT_EQ(test::CheckedOf(window.commands(), {kSjisItem, kUtf8Item, kEucItem, kStepMode,
                                                  kDetailView, kStoreWindowPositions}),
              (Ids{kSjisItem, kStoreWindowPositions}));

    EXPECT_EQ(window.statusText(), QStringLiteral("未接続"));
    EXPECT_EQ(window.terminal().StatusText(), QStringLiteral("未接続"));
    EXPECT_EQ(test::EnabledOf(window.commands(), {kSend, kStop, kReset, kConnect, kDisconnect,
                                                  kSendBreak, kCloseButton}),
              (Ids{kSend, kReset, kConnect}));

    // The table grows both ways and the controls row stays at the bottom.
    QWidget& grid = window.grid();
    QWidget* cyclic = window.findChild<QWidget*>(QString::number(command::kCyclicBox));
    window.resize(800, 600);
    QApplication::processEvents();
    const QSize gridBefore = grid.size();
    const int controlsFromBottom = window.height() - cyclic->mapTo(&window, QPoint(0, 0)).y();
    const int controlsLeft = cyclic->mapTo(&window, QPoint(0, 0)).x();

    window.resize(1000, 750);
    QApplication::processEvents();
    EXPECT_EQ(grid.size(), gridBefore + QSize(200, 150));
    EXPECT_EQ(window.height() - cyclic->mapTo(&window, QPoint(0, 0)).y(), controlsFromBottom);
    EXPECT_EQ(cyclic->mapTo(&window, QPoint(0, 0)).x(), controlsLeft);

    window.resize(500, 100);
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(600, 240));
}

TEST(MainWindowStartup, APreparedSettingsFileFillsTableControlsPlacementAndColumns)
{
    MainWindowRig rig;
    // UTF-8 with a byte-order mark, so the profile's section name can be written here as it is.
    rig.WriteSettingsFile(
        "\xEF\xBB\xBF[SERIAL]\nPORT=wvsim7\n"
        "[CONSOLE]\nCYCLIC=1\nTERNINATOR=3\nENCODE=2\n"
        "[DATA_INDEX0]\nSELECT=1\nDATA=AT\\r\nWAIT_RX=1\nHALT=0\nDELAY=250\n"
        "[DATA_INDEX5]\nSELECT=0\nDATA=hello\nWAIT_RX=3\nHALT=1\nDELAY=7\n"
        "[WINDOW_MAIN]\nNORM_LEFT=40\nNORM_TOP=60\nNORM_RIGHT=840\nNORM_BOTTOM=660\n"
        "[WINDOW_TERMINAL]\nVISIBLE=0\nNORM_LEFT=500\nNORM_TOP=10\n"
        "NORM_RIGHT=1250\nNORM_BOTTOM=410\n"
        "[Profile ListTX__デフォルト]\nColumnData_0=2\nColumnWidth_0=333\nColumnData_1=0\n"
        "ColumnWidth_1=42\nColumnCount=2\n");
    CWirevaneDlg& window = rig.Start();
    using namespace command;

    EXPECT_TRUE(Child<QCheckBox>(window, kCyclicBox)->isChecked());
    EXPECT_EQ(Child<QComboBox>(window, kLineEndCombo)->currentIndex(), 3);
    EXPECT_EQ(Child<QComboBox>(window, kEncodingCombo)->currentIndex(), 2);
    EXPECT_EQ(test::CheckedOf(window.commands(), {kSjisItem, kEucItem}), Ids{kEucItem});
    EXPECT_TRUE(window.run().cyclic);
    EXPECT_EQ(window.port().DeviceName(), u"wvsim7");

    EXPECT_EQ(window.geometry(), QRect(40, 60, 800, 600));
    EXPECT_EQ(window.terminal().geometry(), QRect(500, 10, 750, 400));
    EXPECT_FALSE(window.terminal().isVisible());
    EXPECT_TRUE(window.buttonArray().isVisible());

    // The rows' cells are the settings file test's; the tick marks are drawn from the images.
    CellGrid& grid = window.table().grid();
    EXPECT_EQ(grid.GetCellImage(0, SendTable::kSelectColumn), 1);
    EXPECT_EQ(grid.GetCellImage(5, SendTable::kHaltColumn), 1);

    // Only the send data and the check column are listed, send data first.
    QHeaderView* header = window.grid().header();
    EXPECT_EQ(header->sectionSize(SendTable::kDataColumn), 333);
    EXPECT_FALSE(header->isSectionHidden(SendTable::kSelectColumn));
    EXPECT_TRUE(header->isSectionHidden(SendTable::kNumberColumn));
    EXPECT_TRUE(header->isSectionHidden(SendTable::kDelayColumn));
    EXPECT_LT(header->visualIndex(SendTable::kDataColumn),
              header->visualIndex(SendTable::kSelectColumn));

    // A settings file can be large: the start reads it once, and the profile list the column
    // layout adds goes out in one write.
    EXPECT_EQ(std::ranges::count(rig.files().readPaths, rig.paths().settingsPath), 1);
    EXPECT_EQ(std::ranges::count(rig.files().replacedPaths, rig.paths().settingsPath), 1);
}

} // namespace
} // namespace wirevane
