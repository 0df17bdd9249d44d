#include "app/command_ids.h"
#include "buttons/dialog_button_array.h"
#include "commands/dialog_notation.h"
#include "main_window_rig.h"
#include "support/modal_helper.h"
#include "terminal/dialog_terminal.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace command;
using test::MainWindowRig;

bool Activate(QWidget& window)
{
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window, 2000);
}

TEST(CompanionWindows, TheToggleHidesOnlyAWindowLyingDirectlyBelowTheMainWindow)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    CDialogTerminal& terminal = window.terminal();

    ASSERT_TRUE(Activate(terminal));
    ASSERT_TRUE(Activate(window));
    window.Trigger(kTerminal);
    EXPECT_FALSE(terminal.isVisible());

    window.Trigger(kTerminal);
    EXPECT_TRUE(terminal.isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&terminal, 2000));

    // Visible, but the button array lies between it and the main window: raised, not hidden.
    ASSERT_TRUE(Activate(window.buttonArray()));
    ASSERT_TRUE(Activate(window));
    window.Trigger(kTerminalButton);
    EXPECT_TRUE(terminal.isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&terminal, 2000));

    ASSERT_TRUE(Activate(window));
    window.Trigger(kButtonArray);
    EXPECT_TRUE(window.buttonArray().isVisible()) << "the terminal was active last, not the array";
}

TEST(CompanionWindows, ADialogOfTheMainWindowDisablesThemAndTheyComeBackAfterwards)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    QWidget* textArea = window.terminal().findChild<QWidget*>(QStringLiteral("1235"));
    QWidget* firstButton = window.buttonArray().findChild<QWidget*>(QStringLiteral("1014"));
    QWidget* firstSideButton = window.buttonArray().findChild<QWidget*>(QStringLiteral("1026"));
    ASSERT_NE(textArea, nullptr);
    ASSERT_NE(firstButton, nullptr);
    ASSERT_NE(firstSideButton, nullptr);

    bool disabledWhileOpen = false;
    test::WhenModal<CDialogNotation>([&](CDialogNotation* dialog) {
        disabledWhileOpen = !window.terminal().isEnabled() && !window.buttonArray().isEnabled() &&
                            !textArea->isEnabled() && !firstButton->isEnabled();
        dialog->reject();
    });
    window.Trigger(kSymbols);

    EXPECT_TRUE(disabledWhileOpen);
    EXPECT_TRUE(window.terminal().isEnabled());
    EXPECT_TRUE(window.buttonArray().isEnabled());
    EXPECT_TRUE(textArea->isEnabled());
    EXPECT_TRUE(firstButton->isEnabled());
    // Side buttons have no use while the array shows no side mode.
    EXPECT_EQ(window.buttonArray().slotMode(), 0);
    EXPECT_FALSE(firstSideButton->isEnabled());
}

} // namespace
} // namespace wirevane
