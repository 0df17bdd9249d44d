#include "app/command_ids.h"
#include "app/dialog_exit.h"
#include "app/main_window_rig.h"
#include "buttons/button_array_ids.h"
#include "buttons/dialog_button_array.h"
#include "commands/dialog_driver.h"
#include "commands/dialog_new_data_tx.h"
#include "commands/dialog_property.h"
#include "commands/row_dialog_ids.h"
#include "grid/grid_list_ctrl_groups.h"
#include "support/modal_helper.h"
#include "support/widgets/run_until.h"
#include "terminal/dialog_terminal.h"
#include "terminal/terminal_ids.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <utility>

namespace wirevane {
namespace {

using namespace command;
using MainWindowCommands = test::MainWindowTest;
using test::RunUntil;
using Ids = std::vector<int>;

void TickRow(CWirevaneDlg& window, int row, std::u16string data, int delay)
{
    window.table().rows()[static_cast<std::size_t>(row)] =
        SendRow{1, std::move(data), WaitKind::None, 0, delay};
    window.table().RewriteFromRows();
}

QAction* TerminalAction(CWirevaneDlg& window, int id)
{
    return window.terminal().findChild<QAction*>(QString::number(id));
}

TEST_F(MainWindowCommands, TheFontReachesTheTableAndSelectAllStopsTheRunAndTicksRows)
{
    TickRow(window, 0, u"A", 60000);
    TickRow(window, 1, u"B", 60000);
    window.table().rows()[2].data = u"C";
    window.table().RewriteFromRows();

    QWidget* stopButton =
        window.buttonArray().findChild<QWidget*>(QString::number(button_array::kStopButton));
    window.Trigger(kSend);
    ASSERT_TRUE(
        RunUntil([&] { return window.table().grid().GetCellImage(0, 2) == kRowImageSent; }));
    EXPECT_TRUE(window.commands().isEnabled(kStop));
    EXPECT_TRUE(stopButton->isEnabled());

    test::WhenModal<QFontDialog>([](QFontDialog* dialog) {
        dialog->setCurrentFont(QFont(QStringLiteral("Monospace"), 15));
        dialog->accept();
    });
    window.Trigger(kFont);
    EXPECT_EQ(window.grid().font().pointSize(), 15);
    EXPECT_EQ(window.listFont().pointSize(), 15);

    window.Trigger(kSelectAll);
    EXPECT_FALSE(window.commands().isEnabled(kStop));
    EXPECT_FALSE(stopButton->isEnabled());
    // Every row with data was ticked.
    CellGrid& grid = window.table().grid();
    EXPECT_EQ(grid.GetCellText(2, SendTable::kSelectColumn), u" ");
    EXPECT_EQ(grid.GetCellText(3, SendTable::kSelectColumn), u"");
}

TEST_F(MainWindowCommands, EncodingAndStepModeStayInStepAcrossMenusAndControls)
{
    auto* combo = window.findChild<QComboBox*>(QString::number(kEncodingCombo));
    auto* terminalCombo =
        window.terminal().findChild<QComboBox*>(QString::number(terminal::kEncodingCombo));
    ASSERT_NE(terminalCombo, nullptr);

    window.commands().action(kEucItem)->trigger();
    window.commands().action(kSjisItem)->trigger();
    EXPECT_EQ(test::CheckedOf(window.commands(), {kSjisItem, kEucItem}), Ids{kSjisItem});
    EXPECT_TRUE(TerminalAction(window, terminal::kSjisItem)->isChecked());
    EXPECT_FALSE(TerminalAction(window, terminal::kEucItem)->isChecked());
    EXPECT_EQ(window.run().encoding, TextEncoding::Sjis);

    // Choosing "UTF-8" in the list is the same as the menu item.
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(window.run().encoding, TextEncoding::Utf8);
    EXPECT_EQ(test::CheckedOf(window.commands(), {kUtf8Item, kSjisItem}), Ids{kUtf8Item});
    EXPECT_TRUE(TerminalAction(window, terminal::kUtf8Item)->isChecked());
    EXPECT_EQ(terminalCombo->currentIndex(), 1);

    // So are the step mode's menu item and box.
    auto* box = window.findChild<QCheckBox*>(QString::number(kStepBox));
    window.commands().action(kStepMode)->trigger();
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(window.run().stepMode);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(window.commands().isChecked(kStepMode));
    EXPECT_FALSE(window.run().stepMode);
}

// The buttons beside the table run the menu's commands under ids of their own.
TEST_F(MainWindowCommands, TheButtonsOpenWhatTheirMenuItemsOpen)
{
    const auto openedBy = [&](int id) {
        std::string opened;
        test::WhenModal<QDialog>([&](QDialog* dialog) {
            opened = dialog->metaObject()->className();
            dialog->reject();
        });
        window.Trigger(id);
        return opened;
    };
    for (const auto& [item, button] : {std::pair{kExit, kExitButton},
                                       {kConnect, kOpenButton},
                                       {kPortSettings, kSettingsButton}}) {
        const std::string fromItem = openedBy(item);
        EXPECT_FALSE(fromItem.empty()) << item;
        EXPECT_EQ(openedBy(button), fromItem) << button;
    }
    EXPECT_TRUE(window.isVisible()) << "a declined exit question leaves the window open";
}

TEST_F(MainWindowCommands, NewFillsEveryRowBulkChangeTheTickedOnesAndCancelChangesNothing)
{
    TickRow(window, 3, u"keep", 5);
    test::WhenModal<CDialogNewDataTX>([](CDialogNewDataTX* dialog) { dialog->reject(); });
    window.Trigger(kNew);
    EXPECT_EQ(window.table().grid().GetCellText(3, SendTable::kDataColumn), u"keep");

    test::WhenModal<CDialogNewDataTX>([](CDialogNewDataTX* dialog) {
        test::TypeOver(test::Control<QLineEdit>(*dialog, row_dialog_ids::kNewData),
                       QStringLiteral("PING\\r"));
        test::Control<QComboBox>(*dialog, row_dialog_ids::kNewWaitRx)->setCurrentIndex(2);
        test::Control<QPushButton>(*dialog, row_dialog_ids::kOk)->click();
    });
    window.Trigger(kNew);
    // Every row alike is the table command's own test; the ticked row is rewritten unticked.
    CellGrid& grid = window.table().grid();
    EXPECT_EQ(grid.GetCellText(3, SendTable::kDataColumn), u"PING\\r");
    EXPECT_EQ(grid.GetCellText(3, SendTable::kWaitColumn), u"NL");
    EXPECT_EQ(grid.GetCellText(3, SendTable::kSelectColumn), u"");

    // Bulk change changes the ticked rows by its dialog.
    TickRow(window, 2, u"two", 10);
    test::WhenModal<CDialogProperty>([](CDialogProperty* dialog) {
        QTest::mouseClick(test::Control<QCheckBox>(*dialog, row_dialog_ids::kChangeDelayBox),
                          Qt::LeftButton);
        test::TypeOver(test::Control<QLineEdit>(*dialog, row_dialog_ids::kBulkDelay),
                       QStringLiteral("2500"));
        test::Control<QPushButton>(*dialog, row_dialog_ids::kOk)->click();
    });
    window.Trigger(kBulkChange);
    // Which rows and fields change is the table command's own test.
    EXPECT_EQ(grid.GetCellText(2, SendTable::kDelayColumn), u"2500");
}

// Escape and Enter that no control takes end in the exit question, as in a dialog; the ones an
// open cell editor takes must not.
TEST_F(MainWindowCommands, KeysThatEndACellEditDoNotAskToExit)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    int exitQuestions = 0;
    const auto countQuestion = [&](CDialogExit* dialog) {
        ++exitQuestions;
        dialog->reject();
    };
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        ASSERT_TRUE(window.grid().StartCellEdit(0, SendTable::kDataColumn));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, QStringLiteral("X"));
        test::WhenModal<CDialogExit>(countQuestion, 300);
        QTest::keyClick(editor, key);
        QTest::qWait(400);
    }
    EXPECT_EQ(exitQuestions, 0);
    EXPECT_EQ(window.table().grid().GetCellText(0, SendTable::kDataColumn), u"X");

    test::WhenModal<CDialogExit>(countQuestion);
    QTest::keyClick(&window.grid(), Qt::Key_Escape);
    EXPECT_EQ(exitQuestions, 1);
}

// A temporary save that fails leaves no file, so the temporary load after it fails too: each
// names the file and the reason, and the table stays as it was.
TEST_F(MainWindowCommands, AFailedTemporarySaveAndLoadAreReportedAndKeepTheTable)
{
    TickRow(window, 5, u"keep me", 250);
    rig.BlockFolder();
    const QString saveReport = test::MessageShownBy([&] { window.Trigger(kTemporarySave); });
    rig.UnblockFolder();
    EXPECT_TRUE(saveReport.startsWith(QStringLiteral("設定ファイルを保存できませんでした\n")));
    EXPECT_TRUE(saveReport.contains(QStringLiteral("Temporally.ini")));
    EXPECT_FALSE(rig.Exists("Temporally.ini"));

    const QString reported = test::MessageShownBy([&] { window.Trigger(kTemporaryLoad); });
    EXPECT_TRUE(reported.startsWith(QStringLiteral("設定ファイルを読み込めませんでした\n")));
    EXPECT_TRUE(reported.contains(QString::fromStdU16String(rig.paths().tempPath.u16string())));
    EXPECT_TRUE(reported.contains(QStringLiteral("No such file")));
    CellGrid& grid = window.table().grid();
    EXPECT_EQ(grid.GetCellText(5, SendTable::kDataColumn), u"keep me");
    EXPECT_EQ(grid.GetCellText(5, SendTable::kDelayColumn), u"250");
    EXPECT_FALSE(grid.GetCellText(5, SendTable::kSelectColumn).empty());
    EXPECT_FALSE(rig.Exists("Temporally.ini"));
}

} // namespace
} // namespace wirevane
