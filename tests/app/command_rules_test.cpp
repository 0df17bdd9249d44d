#include "app/command_ids.h"
#include "buttons/dialog_button_array.h"
#include "main_window_rig.h"
#include "support/modal_helper.h"
#include "support/widgets/run_until.h"
#include "terminal/dialog_terminal.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace command;
using test::MainWindowRig;
using test::RunUntil;

struct Command {
    int id;
    const char* name;
    bool opensDialog;
};

// A run that waits out a long delay after its first row, so that it is still running when a
// command comes.
bool StartLongRun(CWirevaneDlg& window)
{
    window.Trigger(kReset);
    window.table().rows()[0] = SendRow{1, u"A", WaitKind::None, 0, 60000};
    window.table().rows()[1] = SendRow{1, u"B", WaitKind::None, 0, 0};
    window.table().RewriteFromRows();
    window.Trigger(kSend);
    return RunUntil([&] {
        return window.table().grid().GetCellImage(0, SendTable::kNumberColumn) == kRowImageSent;
    });
}

bool CompanionsEnabled(CWirevaneDlg& window)
{
    QWidget* textArea = window.terminal().findChild<QWidget*>(QStringLiteral("1235"));
    QWidget* firstButton = window.buttonArray().findChild<QWidget*>(QStringLiteral("1014"));
    return window.terminal().isEnabled() && window.buttonArray().isEnabled() &&
           textArea->isEnabled() && firstButton->isEnabled();
}

bool CompanionsDisabled(CWirevaneDlg& window)
{
    QWidget* textArea = window.terminal().findChild<QWidget*>(QStringLiteral("1235"));
    QWidget* firstButton = window.buttonArray().findChild<QWidget*>(QStringLiteral("1014"));
    return !window.terminal().isEnabled() && !window.buttonArray().isEnabled() &&
           !textArea->isEnabled() && !firstButton->isEnabled();
}

// What the command's dialog saw when it opened; the dialog is then cancelled.
struct DialogView {
    bool shown = false;
    bool running = false;
    bool companionsDisabled = false;
};

DialogView RunCancelled(CWirevaneDlg& window, const Command& command)
{
    DialogView view;
    if (command.opensDialog) {
        test::WhenModal<QDialog>([&](QDialog* dialog) {
            view.shown = true;
            view.running = window.run().running;
            view.companionsDisabled = CompanionsDisabled(window);
            dialog->reject();
        });
    }
    window.Trigger(command.id);
    return view;
}

// Every command that starts with the sequence reset stops a run and clears the row markers
// before its dialog opens; the companion windows are disabled while a guarded command's dialog
// is open and enabled again after it is cancelled.
TEST(MainWindowCommandRules, ResetFirstCommandsStopTheRunBeforeTheirDialog)
{
    const Command resetFirst[] = {
        {kNew, "new", true},
        {kSelectAll, "select all", false},
        {kDeselectAll, "deselect all", false},
        {kBulkChange, "bulk change", true},
        {kAbout, "about", true},
        {kReload, "reload", true},
        {kOpen, "open", true},
        {kSaveAs, "save as", true},
        {kTemporarySave, "temporary save", false},
        {kTemporaryLoad, "temporary load", false},
    };
    const int guarded[] = {kNew, kBulkChange, kAbout, kOpen, kSaveAs};
    MainWindowRig rig;
    rig.WriteFile("Temporally.ini", "[DATA_INDEX0]\r\nSELECT=1\r\nDATA=A\r\nDELAY=60000\r\n");
    CWirevaneDlg& window = rig.Start();

    for (const Command& command : resetFirst) {
        SCOPED_TRACE(command.name);
        ASSERT_TRUE(StartLongRun(window));
        const DialogView view = RunCancelled(window, command);
        EXPECT_FALSE(window.run().running);
        EXPECT_EQ(window.table().grid().GetCellImage(0, SendTable::kNumberColumn), kRowImageNone);
        EXPECT_TRUE(window.commands().isEnabled(kSend));
        if (!command.opensDialog)
            continue;
        ASSERT_TRUE(view.shown);
        EXPECT_FALSE(view.running) << "the reset must come before the dialog";
        const bool isGuarded =
            std::find(std::begin(guarded), std::end(guarded), command.id) != std::end(guarded);
        EXPECT_EQ(view.companionsDisabled, isGuarded);
        EXPECT_TRUE(CompanionsEnabled(window));
    }
}

TEST(MainWindowCommandRules, TheOtherCommandsLeaveARunGoing)
{
    const Command keepRunning[] = {
        {kFont, "font", true},
        {kSymbols, "symbols", true},
        {kDetailView, "detail view", false},
        {kEucItem, "encoding", false},
        {kTerminal, "terminal toggle", false},
        {kButtonArray, "button array toggle", false},
        {kStoreWindowPositions, "store window positions", false},
        // Last: in step mode the next run would stop after its first row.
        {kStepMode, "step mode", false},
    };
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();

    for (const Command& command : keepRunning) {
        SCOPED_TRACE(command.name);
        ASSERT_TRUE(StartLongRun(window));
        const DialogView view = RunCancelled(window, command);
        EXPECT_TRUE(window.run().running);
        EXPECT_EQ(window.table().grid().GetCellImage(0, SendTable::kNumberColumn), kRowImageSent);
        if (!command.opensDialog)
            continue;
        ASSERT_TRUE(view.shown);
        EXPECT_TRUE(view.running);
        EXPECT_TRUE(view.companionsDisabled);
        EXPECT_TRUE(CompanionsEnabled(window));
    }
}

} // namespace
} // namespace wirevane
