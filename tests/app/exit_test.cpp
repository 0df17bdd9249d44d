#include "app/command_ids.h"
#include "app/dialog_exit.h"
#include "app/exit_dialog_ids.h"
#include "buttons/dialog_button_array.h"
#include "main_window_rig.h"
#include "support/modal_helper.h"
#include "terminal/dialog_terminal.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace wirevane {
namespace {

using namespace command;
using test::MainWindowRig;

constexpr const char* kOldSettings = "[CONSOLE]\nCYCLIC=0\n[DATA_INDEX0]\nSELECT=0\nDATA=old\n";

void ClickOnExitDialog(int buttonId)
{
    test::WhenModal<CDialogExit>([buttonId](CDialogExit* dialog) {
        dialog->findChild<QPushButton*>(QString::number(buttonId))->click();
    });
}

void SendKey(QWidget* to, QEvent::Type type, Qt::Key key, const QString& text, bool autoRepeat,
             quint64 time)
{
    QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
    event.setTimestamp(time);
    QApplication::sendEvent(to, &event);
}

// The window over the old settings file, with a table and a repeat box that differ from it.
CWirevaneDlg& StartChanged(MainWindowRig& rig)
{
    rig.WriteSettingsFile(kOldSettings);
    CWirevaneDlg& window = rig.Start();
    window.table().rows()[0].data = u"new";
    window.table().rows()[0].sendFlag = 1;
    window.table().RewriteFromRows();
    window.run().cyclic = true;
    return window;
}

TEST(MainWindowExit, ExitWithoutSavingWritesPositionsOrClearsThemAndButtonsButNotTheTable)
{
    MainWindowRig rig;
    CWirevaneDlg& window = StartChanged(rig);
    window.setGeometry(QRect(70, 80, 700, 500));
    QSignalSpy exited(&window, &CWirevaneDlg::exited);

    ClickOnExitDialog(exit_dialog::kExitWithoutSavingButton);
    window.Trigger(kExit);

    EXPECT_EQ(exited.count(), 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", u"DATA_INDEX0", u"DATA"), u"old");
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", u"CONSOLE", u"CYCLIC"), u"0");
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", u"WINDOW_MAIN", u"NORM_LEFT"), u"70");
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", u"WINDOW_MAIN", u"NORM_BOTTOM"), u"580");
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", u"WINDOW_TERMINAL", u"VISIBLE"), u"1");
    EXPECT_TRUE(rig.Exists("WirevaneButtons.ini"));

    // Without stored positions the rectangles are cleared; what a cleared placement holds is
    // the settings file test's.
    rig.Stop();
    CWirevaneDlg& again = rig.Start();
    again.Trigger(kStoreWindowPositions);
    EXPECT_FALSE(again.commands().isChecked(kStoreWindowPositions));
    ClickOnExitDialog(exit_dialog::kExitWithoutSavingButton);
    again.Trigger(kExit);
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", u"WINDOW_MAIN", u"NORM_LEFT"), u"0");
}

// The exit question opens under a key still held on the main window: Enter on a focused check
// box (the window's default action, as in a dialog) or Escape. Neither its auto-repeat nor its
// release answers the question, whose default is "保存して終了"; only a key pressed after it is
// shown does, and Escape pressed then cancels: the companion windows, disabled while it is
// asked, work again, and nothing is written.
TEST(MainWindowExit, AKeyHeldFromTheMainWindowDoesNotAnswerTheExitQuestion)
{
    for (const Qt::Key held : {Qt::Key_Return, Qt::Key_Escape}) {
        SCOPED_TRACE(held == Qt::Key_Return ? "held Enter" : "held Escape");
        const QString text = held == Qt::Key_Return ? QStringLiteral("\r") : QStringLiteral("\x1b");
        MainWindowRig rig;
        CWirevaneDlg& window = StartChanged(rig);
        const std::string afterStart = rig.ReadFile("Wirevane.ini");
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        auto* repeatBox = window.findChild<QCheckBox*>(QString::number(kCyclicBox));
        ASSERT_NE(repeatBox, nullptr);
        repeatBox->setFocus();
        QSignalSpy exited(&window, &CWirevaneDlg::exited);

        std::optional<bool> stillAsking; // whether the keys left the question open, once asked
        test::WhenModal<CDialogExit>([&](CDialogExit* dialog) {
            EXPECT_FALSE(window.terminal().isEnabled());
            EXPECT_FALSE(window.buttonArray().isEnabled());
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            QWidget* focus = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
            // As an X server repeats a held key: a release and a press with one time stamp,
            // which Qt flags as a repeat only when both are already queued.
            for (quint64 time = 1000; time < 1200; time += 40) {
                const bool flagged = time % 80 == 0;
                SendKey(focus, QEvent::KeyRelease, held, text, flagged, time);
                SendKey(focus, QEvent::KeyPress, held, text, flagged, time);
            }
            SendKey(focus, QEvent::KeyRelease, held, text, false, 1223);
            stillAsking = dialog->isVisible();
            if (*stillAsking)
                QTest::keyClick(focus, Qt::Key_Escape);
            EXPECT_FALSE(dialog->isVisible()) << "Escape pressed in the question cancels it";
            if (dialog->isVisible())
                dialog->reject();
        });
        QTest::simulateEvent(repeatBox, true, held, Qt::NoModifier, text, false);

        EXPECT_EQ(stillAsking, true);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(exited.count(), 0);
        EXPECT_EQ(rig.ReadFile("Wirevane.ini"), afterStart) << "the table was saved";
        EXPECT_FALSE(rig.Exists("WirevaneButtons.ini"));
        EXPECT_TRUE(window.terminal().isEnabled());
        EXPECT_TRUE(window.buttonArray().isEnabled());
    }
}

// Closing the window asks too, and a key pressed while the question is shown answers it as
// usual: Enter takes the default button, which saves the table before the program ends.
TEST(MainWindowExit, EnterInTheQuestionOnClosingSavesTheTableAndExits)
{
    MainWindowRig rig;
    CWirevaneDlg& window = StartChanged(rig);
    window.setGeometry(QRect(70, 80, 700, 500));
    const std::size_t writesBefore = rig.files().replacedPaths.size();
    // The question may not hold the focus yet when it first shows on a busy machine.
    test::WhenModal<CDialogExit>([](CDialogExit* dialog) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog,
                        Qt::Key_Return);
    });
    window.close();
    EXPECT_FALSE(window.isVisible());
    const auto& written = rig.files().replacedPaths;
    EXPECT_EQ(std::count(written.begin() + std::ptrdiff_t(writesBefore), written.end(),
                         rig.paths().settingsPath),
              1)
        << "the table and the window positions go in one write";
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", u"DATA_INDEX0", u"DATA"), u"new");
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", u"DATA_INDEX0", u"SELECT"), u"1");
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", u"CONSOLE", u"CYCLIC"), u"1");
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", u"WINDOW_MAIN", u"NORM_LEFT"), u"70");
    EXPECT_TRUE(rig.Exists("WirevaneButtons.ini"));
}

// The program folder is gone when the save runs (a file stands in its place, so every write
// fails, even for root): the user is told why, the file keeps its old contents and the exit
// question comes back, so the table can still be rescued.
TEST(MainWindowExit, AFailedSaveIsReportedAndTheProgramDoesNotEnd)
{
    MainWindowRig rig;
    CWirevaneDlg& window = StartChanged(rig);
    const std::string afterStart = rig.ReadFile("Wirevane.ini");
    rig.BlockFolder();

    QString reported;
    bool askedAgain = false;
    test::WhenModal<CDialogExit>([&](CDialogExit* dialog) {
        test::WhenModal<QMessageBox>([&](QMessageBox* box) {
            reported = box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            box->accept();
            // Still the exit question, waiting for the next choice.
            test::WhenModal<CDialogExit>([&](CDialogExit* again) {
                askedAgain = true;
                again->findChild<QPushButton*>(QString::number(exit_dialog::kCancelButton))
                    ->click();
            });
        });
        dialog->findChild<QPushButton*>(QString::number(exit_dialog::kSaveAndExitButton))->click();
    });
    window.Trigger(kExit);
    rig.UnblockFolder();

    EXPECT_TRUE(askedAgain);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(reported.startsWith(QStringLiteral("設定ファイルを保存できませんでした\n")));
    EXPECT_TRUE(reported.contains(QStringLiteral("Wirevane.ini")));
    EXPECT_EQ(reported.count(QLatin1Char('\n')), 2);
    EXPECT_EQ(rig.ReadFile("Wirevane.ini"), afterStart);
}

} // namespace
} // namespace wirevane
