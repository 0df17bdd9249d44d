#include "app/command_ids.h"
#include "app/dialog_exit.h"
#include "app/exit_dialog_ids.h"
#include "main_window_rig.h"
#include "support/modal_helper.h"
#include "terminal/dialog_terminal.h"

#include <QAction>
#include <QPushButton>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

constexpr const char* kSettings =
    "[SERIAL]\r\nPORT=ttyUSB0\r\nBAUD=9600\r\n[CONSOLE]\r\nCYCLIC=1\r\n"
    "[DATA_INDEX0]\r\nSELECT=1\r\nDATA=*IDN?\r\n";

void SaveAndExit(CWirevaneDlg& window)
{
    test::WhenModal<CDialogExit>([](CDialogExit* dialog) {
        dialog->findChild<QPushButton*>(QString::number(exit_dialog::kSaveAndExitButton))->click();
    });
    window.Trigger(command::kExit);
}

TEST(TrafficOptions, UsedAndTurnedOffTheyLeaveTheSavedSettingsByteForByteAsBefore)
{
    test::MainWindowRig rig;
    rig.WriteSettingsFile(kSettings);
    SaveAndExit(rig.Start());
    const std::string before = rig.ReadFile("Wirevane.ini");
    rig.Stop();

    CDialogTerminal& terminal = rig.Start().terminal();
    const auto action = [&](const char* name) {
        return terminal.findChild<QAction*>(QString::fromLatin1(name));
    };
    action("timestamps")->trigger();
    action("view-text-hex")->trigger();
    ASSERT_TRUE(
        terminal
            .StartLog({rig.folder() / "traffic.log", false, LogChoice::RawBytes, LogChoice::Utf8})
            .ok());
    terminal.AppendText(u"text\r\n");
    action("log-stop")->trigger();
    action("timestamps")->trigger();
    action("view-text")->trigger();
    SaveAndExit(rig.window());

    EXPECT_EQ(rig.ReadFile("Wirevane.ini"), before);
    EXPECT_NE(before.find("*IDN?"), std::string::npos);
}

// A log over the program's own settings file emptied it at once; the next exit without saving
// then left it without its table. The log is refused, whatever name reaches the file.
TEST(TrafficOptions, ALogIsNeverWrittenOverTheProgramsOwnSettingsFiles)
{
    test::MainWindowRig rig;
    rig.WriteSettingsFile(kSettings);
    CDialogTerminal& terminal = rig.Start().terminal();
    const std::string settings = rig.ReadFile("Wirevane.ini");
    for (const std::filesystem::path& own :
         {rig.folder() / "Wirevane.ini", rig.folder() / "." / "Temporally.ini",
          rig.folder() / "WirevaneButtons.ini"}) {
        const platform::FileError refused =
            terminal.StartLog({own, false, LogChoice::ShownText, LogChoice::Cp932});
        EXPECT_FALSE(refused.ok()) << own;
        EXPECT_NE(refused.message.find("Wirevane"), std::string::npos) << refused.message;
    }
    EXPECT_EQ(rig.ReadFile("Wirevane.ini"), settings);
    EXPECT_TRUE(
        terminal
            .StartLog({rig.folder() / "traffic.log", false, LogChoice::ShownText, LogChoice::Cp932})
            .ok());
}

} // namespace
} // namespace wirevane
