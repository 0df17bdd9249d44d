#include "app/command_ids.h"
#include "grid/grid_list_ctrl_groups.h"
#include "main_window_rig.h"
#include "support/modal_helper.h"
#include "support/widgets/file_dialog_choice.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace command;
using test::MainWindowRig;

void ChooseInFileDialog(const std::filesystem::path& file)
{
    test::WhenModal<QFileDialog>([file](QFileDialog* dialog) {
        test::ChooseFileInDialog(dialog, QString::fromStdU16String(file.u16string()));
    });
}

// Save as writes the table and then the column layout to the chosen file and leaves the settings
// file alone; opening that file later brings both back.
TEST(MainWindowFileCommands, SaveAsAndOpenCarryTableAndLayoutThroughRealFileDialogs)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    window.table().rows()[4] = SendRow{1, u"保存 テスト", WaitKind::Nl, 1, 42};
    window.table().RewriteFromRows();
    window.grid().header()->resizeSection(SendTable::kDataColumn, 310);
    const std::string settingsBefore = rig.ReadFile("Wirevane.ini");
    const std::filesystem::path chosen = rig.folder() / "bench table.ini";

    ChooseInFileDialog(chosen);
    window.Trigger(kSaveAs);
    ASSERT_TRUE(std::filesystem::exists(chosen));
    EXPECT_EQ(rig.ReadIniString("bench table.ini", u"DATA_INDEX4", u"DATA"), u"保存 テスト");
    EXPECT_EQ(rig.ReadIniString("bench table.ini", u"DATA_INDEX4", u"WAIT_RX"), u"2");
    EXPECT_EQ(rig.ReadFile("Wirevane.ini"), settingsBefore);

    // Clear the table, then open the saved file.
    window.table().rows()[4] = SendRow{};
    window.table().RewriteFromRows();
    window.grid().header()->resizeSection(SendTable::kDataColumn, 200);
    ChooseInFileDialog(chosen);
    window.Trigger(kOpen);
    CellGrid& grid = window.table().grid();
    EXPECT_EQ(grid.GetCellText(4, SendTable::kDataColumn), u"保存 テスト");
    EXPECT_EQ(grid.GetCellText(4, SendTable::kWaitColumn), u"NL");
    EXPECT_EQ(grid.GetCellText(4, SendTable::kDelayColumn), u"42");
    EXPECT_EQ(grid.GetCellText(4, SendTable::kSelectColumn), u" ");
    EXPECT_EQ(window.grid().header()->sectionSize(SendTable::kDataColumn), 310);
}

TEST(MainWindowFileCommands, ReloadAsksFirstAndThenReadsTheSettingsFileAgain)
{
    MainWindowRig rig;
    rig.WriteSettingsFile("[DATA_INDEX0]\nDATA=first\n");
    CWirevaneDlg& window = rig.Start();
    rig.WriteSettingsFile("[DATA_INDEX0]\nDATA=second\n[CONSOLE]\nCYCLIC=1\n");

    test::WhenModal<QMessageBox>([](QMessageBox* box) { box->reject(); });
    window.Trigger(kReload);
    EXPECT_EQ(window.table().grid().GetCellText(0, SendTable::kDataColumn), u"first");

    test::WhenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text(), QStringLiteral("設定ファイル再読込 (Wirevane.ini)        "));
        box->button(QMessageBox::Ok)->click();
    });
    window.Trigger(kReload);
    EXPECT_EQ(window.table().grid().GetCellText(0, SendTable::kDataColumn), u"second");
    EXPECT_TRUE(window.run().cyclic);
}

} // namespace
} // namespace wirevane
