#include "dialog_sweep.h"

#include "app/command_ids.h"
#include "app/wirevane_dlg.h"
#include "buttons/button_array_ids.h"
#include "buttons/button_captions.h"
#include "buttons/dialog_button_array.h"
#include "buttons/dialog_button_regist_type.h"
#include "buttons/dialog_button_text.h"
#include "core/send_table.h"
#include "support/modal_helper.h"
#include "support/widgets/run_until.h"
#include "terminal/dialog_terminal.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>
#include <initializer_list>

namespace wirevane::test {

using namespace command;

const std::array<CommandDialog, 9> kCommandDialogs = {{{kConnect, "port selection"},
                                                       {kPortSettings, "port settings"},
                                                       {kNew, "new data"},
                                                       {kBulkChange, "bulk change"},
                                                       {kSymbols, "symbols"},
                                                       {kAbout, "about"},
                                                       {kExit, "exit"},
                                                       {kLanguageEnglish, "language"},
                                                       {kAnswerTimeout, "answer time-out"}}};

void ShowSettled(QWidget& window)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 2000));
    QApplication::processEvents();
}

void ExpectNoFaultsInTheThreeWindows(CWirevaneDlg& window, const WindowFaults& faults)
{
    for (QWidget* shown :
         std::initializer_list<QWidget*>{&window, &window.terminal(), &window.buttonArray()}) {
        SCOPED_TRACE(shown->metaObject()->className());
        ShowSettled(*shown);
        EXPECT_EQ(faults(*shown), "");
    }
}

void RunInDetailDisplay(CWirevaneDlg& window)
{
    window.Trigger(kDetailView);
    auto& rows = window.table().rows();
    rows[1] = SendRow{1, u"*IDN?", WaitKind::None, 0, 0};
    rows[2] = SendRow{1, u"MEAS:VOLT?", WaitKind::None, 1, 0};
    rows[3] = SendRow{1, u"MEAS:CURR?", WaitKind::None, 0, 0};
    rows[4] = SendRow{1, u"READ?", WaitKind::Cr, 0, 0};
    window.table().RewriteFromRows();
    window.table().ClearMarkers();

    // Row 2 halts the run, row 3 stops it in step mode, row 4 waits for an answer that the
    // closed port never brings.
    window.Trigger(kSend);
    ASSERT_TRUE(RunUntil([&] { return !window.run().running; }));
    window.Trigger(kStepMode);
    window.Trigger(kSend);
    ASSERT_TRUE(RunUntil([&] { return !window.run().running; }));
    window.Trigger(kStepMode);
    window.Trigger(kSend);
    ASSERT_TRUE(RunUntil([&] {
        return window.table().grid().GetCellImage(4, SendTable::kNumberColumn) == kRowImageWaiting;
    }));
    window.Trigger(kStop);
}

void ExpectNoFaultsInButtonArrayModes(CDialogButtonArray& buttons, const WindowFaults& faults)
{
    ButtonSlot& first = buttons.buttonFile().buttonSlots[static_cast<std::size_t>(
        ButtonFile::slotIndex(buttons.buttonFile().currentGroup, 0))];
    first.path = u"./measurement-of-the-supply-voltage-and-current.ini";
    first.text = u"measurement-of-the-supply-voltage-and-current.ini";
    buttons.RelabelButtons();
    for (int32_t mode :
         {kSlotModeHidden, kSlotModeRegister, kSlotModeUnregister, kSlotModeRename}) {
        SCOPED_TRACE(mode);
        buttons.SetSlotMode(mode);
        ShowSettled(buttons);
        EXPECT_EQ(faults(buttons), "");
    }
    buttons.SetSlotMode(kSlotModeHidden);
}

std::string FaultsInNextDialog(const std::function<void()>& open, const WindowFaults& faults)
{
    std::string found;
    bool seen = false;
    WhenModal<QDialog>([&](QDialog* dialog) {
        seen = true;
        found = faults(*dialog);
        dialog->reject();
    });
    open();
    EXPECT_TRUE(seen) << "no dialog opened";
    return found;
}

void ExpectNoFaultsInDialogs(CWirevaneDlg& window, std::span<const CommandDialog> dialogs,
                             const WindowFaults& faults)
{
    for (const CommandDialog& dialog : dialogs) {
        SCOPED_TRACE(dialog.name);
        EXPECT_EQ(FaultsInNextDialog([&] { window.Trigger(dialog.id); }, faults), "");
    }
}

void ExpectNoFaultsInButtonArrayDialogs(CDialogButtonArray& buttons, const QString& caption,
                                        const WindowFaults& faults)
{
    ShowSettled(buttons);
    EXPECT_EQ(
        FaultsInNextDialog(
            [&] {
                buttons.findChild<QAction*>(QString::number(button_array::kSettings))->trigger();
            },
            faults),
        "");
    CDialogButtonRegistType type(&buttons);
    ShowSettled(type);
    EXPECT_EQ(faults(type), "");
    CDialogButtonText captionDialog(caption, &buttons);
    ShowSettled(captionDialog);
    EXPECT_EQ(faults(captionDialog), "");
}

} // namespace wirevane::test
