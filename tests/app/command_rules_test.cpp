#include "app/command_ids.h"
#include "buttons/button_array_ids.h"
#include "buttons/dialog_button_array.h"
#include "chart/chart_window.h"
#include "main_window_rig.h"
#include "support/modal_helper.h"
#include "support/widgets/run_until.h"
#include "terminal/dialog_terminal.h"
#include "terminal/terminal_ids.h"

#include <QDialog>
#include <algorithm>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace command;
using test::MainWindowRig;
using test::RunUntil;

// A command of the main window: whether it starts with the sequence reset (which stops a run),
// and whether the companion windows are disabled while its dialog is open.
struct Command {
    int id;
    const char* name;
    bool resetsFirst;
    bool opensDialog;
    bool guarded = true;
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

// Whether the companion windows (the terminal with its chart, the button array) and a control in
// each are all enabled (or all disabled).
bool CompanionsAre(CWirevaneDlg& window, bool enabled)
{
    QWidget* textArea = window.terminal().findChild<QWidget*>(QString::number(terminal::kTextArea));
    QWidget* firstButton =
        window.buttonArray().findChild<QWidget*>(QString::number(button_array::kSlotButtons[0]));
    return std::ranges::all_of(
        std::initializer_list<QWidget*>{&window.terminal(), &window.buttonArray(), textArea,
                                        firstButton, &window.terminal().chart()},
        [&](QWidget* widget) { return widget->isEnabled() == enabled; });
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
            view.companionsDisabled = CompanionsAre(window, false);
            dialog->reject();
        });
    }
    window.Trigger(command.id);
    return view;
}

// A run that is still going when the command comes, in a window of its own for each command.
class CommandDuringARun : public ::testing::TestWithParam<Command> {
protected:
    void SetUp() override
    {
        rig.WriteFile("Temporally.ini", "[DATA_INDEX0]\r\nSELECT=1\r\nDATA=A\r\nDELAY=60000\r\n");
        ASSERT_TRUE(StartLongRun(window));
        view = RunCancelled(window, GetParam());
    }

    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    DialogView view;
};

// A command that starts with the sequence reset stops a run and clears the row markers before
// its dialog opens; any other leaves the run going. The companion windows are disabled while a
// guarded command's dialog is open and enabled again after it is cancelled.
TEST_P(CommandDuringARun, StopsTheRunBeforeItsDialogOnlyWhenItResetsFirst)
{
    const Command& command = GetParam();
    EXPECT_EQ(window.run().running, !command.resetsFirst);
    EXPECT_EQ(window.table().grid().GetCellImage(0, SendTable::kNumberColumn),
              command.resetsFirst ? kRowImageNone : kRowImageSent);
    EXPECT_EQ(window.commands().isEnabled(kSend), command.resetsFirst);
    if (!command.opensDialog)
        return;
    ASSERT_TRUE(view.shown);
    EXPECT_EQ(view.running, !command.resetsFirst) << "the reset must come before the dialog";
    EXPECT_EQ(view.companionsDisabled, command.guarded);
    EXPECT_TRUE(CompanionsAre(window, true));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandDuringARun,
    ::testing::Values(
        Command{kNew, "New", true, true}, Command{kSelectAll, "SelectAll", true, false},
        Command{kDeselectAll, "DeselectAll", true, false},
        Command{kBulkChange, "BulkChange", true, true}, Command{kAbout, "About", true, true},
        Command{kReload, "Reload", true, true, false}, Command{kOpen, "Open", true, true},
        Command{kSaveAs, "SaveAs", true, true},
        Command{kTemporarySave, "TemporarySave", true, false},
        Command{kTemporaryLoad, "TemporaryLoad", true, false}, Command{kFont, "Font", false, true},
        Command{kSymbols, "Symbols", false, true}, Command{kDetailView, "DetailView", false, false},
        Command{kEucItem, "Encoding", false, false},
        Command{kTerminal, "TerminalToggle", false, false},
        Command{kButtonArray, "ButtonArrayToggle", false, false},
        Command{kStoreWindowPositions, "StoreWindowPositions", false, false},
        Command{kStepMode, "StepMode", false, false}),
    [](const auto& tested) { return std::string(tested.param.name); });

} // namespace
} // namespace wirevane
