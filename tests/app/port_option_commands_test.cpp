#include "app/command_ids.h"
#include "main_window_rig.h"
#include "support/modal_helper.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace command;
using test::MainWindowRig;
using Ids = std::vector<int>;

const std::string kNativeFile = "[SERIAL]\r\nPORT=\\\\.\\COM3\r\nBAUD=115200\r\n"
                                "[CONSOLE]\r\nCYCLIC=1\r\nTERNINATOR=1\r\nENCODE=0\r\n"
                                "[DATA_INDEX0]\r\nSELECT=1\r\nDATA=AT\r\nWAIT_RX=1\r\n";

TEST(
    PortOptionCommands,
    OptionsOffWriteTheSameFilesAndOnAndOffAgainLeaveThemAsTheyWereAndStopAtAFailedCheckFollowsTheTable)
{
    MainWindowRig rig;
    rig.WriteSettingsFile(kNativeFile);
    CWirevaneDlg& window = rig.Start();
    // What the window itself keeps in the file (its column layout) is there from the start.
    const std::string settingsAtStart = rig.ReadFile("Wirevane.ini");
    EXPECT_EQ(test::CheckedOf(window.commands(),
                              {kAnswerTimeout, kAutoReconnect, kLowLatency, kRealtime}),
              Ids{kLowLatency});
    window.Trigger(kTemporarySave);
    const std::string savedWithOptionsOff = rig.ReadFile("Temporally.ini");
    EXPECT_EQ(savedWithOptionsOff.find("WIREVANE"), std::string::npos);

    window.commands().action(kAutoReconnect)->trigger();
    EXPECT_TRUE(window.portOptions().autoReconnect);
    test::AnswerTimeoutDialog(1500);
    window.commands().action(kAnswerTimeout)->trigger();
    EXPECT_EQ(test::CheckedOf(window.commands(), {kAnswerTimeout, kAutoReconnect}),
              (Ids{kAnswerTimeout, kAutoReconnect}));
    EXPECT_EQ(rig.ReadFile("Wirevane.ini"),
              settingsAtStart + "[WIREVANE]\r\nAUTO_RECONNECT=1\r\nANSWER_TIMEOUT_MS=1500\r\n");

    // The options belong to the program, not to a table: a saved table does not carry them.
    window.Trigger(kTemporarySave);
    EXPECT_EQ(rig.ReadFile("Temporally.ini"), savedWithOptionsOff);

    // The next start takes them up again.
    rig.Stop();
    CWirevaneDlg& again = rig.Start();
    EXPECT_EQ(test::CheckedOf(again.commands(), {kAnswerTimeout, kAutoReconnect}),
              (Ids{kAnswerTimeout, kAutoReconnect}));
    EXPECT_EQ(again.portOptions().answerTimeoutMs, 1500);

    // Cancelling the question keeps the time; 0 turns the limit off.
    test::WhenModal<QInputDialog>([](QInputDialog* dialog) {
        dialog->setIntValue(5);
        dialog->reject();
    });
    again.commands().action(kAnswerTimeout)->trigger();
    EXPECT_EQ(again.portOptions().answerTimeoutMs, 1500);
    EXPECT_TRUE(again.commands().isChecked(kAnswerTimeout));
    test::AnswerTimeoutDialog(0);
    again.commands().action(kAnswerTimeout)->trigger();
    again.commands().action(kAutoReconnect)->trigger();
    EXPECT_EQ(test::CheckedOf(again.commands(), {kAnswerTimeout, kAutoReconnect}), Ids{});
    EXPECT_EQ(rig.ReadFile("Wirevane.ini"), settingsAtStart);

    // Going on after a failed check is the table's choice: the menu item sets the run, a saved
    // table carries it only while it is off, and a loaded one shows its own in the menu.
    EXPECT_TRUE(again.run().stopOnFail);
    EXPECT_TRUE(again.commands().isChecked(kStopOnFail));

    again.commands().action(kStopOnFail)->trigger();
    EXPECT_FALSE(again.run().stopOnFail);
    EXPECT_FALSE(again.commands().isChecked(kStopOnFail));
    again.Trigger(kTemporarySave);
    EXPECT_EQ(rig.ReadIniString("Temporally.ini", u"WIREVANE", u"STOP_ON_FAIL"), u"0");

    again.commands().action(kStopOnFail)->trigger();
    EXPECT_TRUE(again.run().stopOnFail);
    EXPECT_TRUE(again.commands().isChecked(kStopOnFail));
    again.Trigger(kTemporaryLoad);
    EXPECT_FALSE(again.run().stopOnFail);
    auto* edit = qobject_cast<QMenu*>(again.commands().action(kStopOnFail)->parent());
    ASSERT_NE(edit, nullptr);
    edit->popup(QPoint(0, 0));
    EXPECT_FALSE(again.commands().isChecked(kStopOnFail));
    edit->close();

    again.commands().action(kStopOnFail)->trigger();
    again.Trigger(kTemporarySave);
    EXPECT_EQ(rig.ReadIniString("Temporally.ini", u"WIREVANE", u"STOP_ON_FAIL"), u"<missing>");
}

} // namespace
} // namespace wirevane
