#include "app/command_ids.h"
#include "buttons/dialog_button_array.h"
#include "main_window_rig.h"
#include "terminal/dialog_terminal.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace command;
using CompanionWindows = test::MainWindowTest;

bool Activate(QWidget& window)
{
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window, 2000);
}

TEST_F(CompanionWindows,
       TheToggleHidesAnUncoveredWindowRaisesACoveredOneAndKeepsAMaximisedOneMaximised)
{
    CDialogTerminal& terminal = window.terminal();
    QWidget& buttons = window.buttonArray();
    const QRect main = window.frameGeometry();
    const QRect beside(main.right() + 40, main.top(), 400, 300);
    terminal.setGeometry(beside);
    buttons.setGeometry(QRect(main.left(), main.bottom() + 40, 200, 300));

    // The main window is on top, but beside the terminal: the terminal is what the user sees.
    ASSERT_TRUE(Activate(terminal));
    ASSERT_TRUE(Activate(buttons));
    ASSERT_TRUE(Activate(window));
    window.Trigger(kTerminal);
    EXPECT_FALSE(terminal.isVisible());
    window.Trigger(kTerminal);
    EXPECT_TRUE(terminal.isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&terminal, 2000));

    // Under the main window: raised, and once on top the next toggle hides it.
    terminal.setGeometry(main.adjusted(40, 60, -40, -40));
    ASSERT_TRUE(Activate(window));
    window.Trigger(kTerminalButton);
    EXPECT_TRUE(terminal.isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&terminal, 2000));
    window.Trigger(kTerminalButton);
    EXPECT_FALSE(terminal.isVisible());

    // Beside the main window but under the button array: raised too.
    terminal.setGeometry(beside);
    terminal.show();
    buttons.setGeometry(beside.adjusted(20, 20, 20, 20));
    ASSERT_TRUE(Activate(terminal));
    ASSERT_TRUE(Activate(buttons));
    ASSERT_TRUE(Activate(window));
    window.Trigger(kTerminal);
    EXPECT_TRUE(terminal.isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&terminal, 2000));

    // A maximised window stays maximised.
    buttons.showMaximized();
    ASSERT_TRUE(Activate(window));
    window.Trigger(kButtonArray);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&buttons, 2000));
    EXPECT_TRUE(buttons.isMaximized());

    window.Trigger(kButtonArray);
    ASSERT_FALSE(buttons.isVisible());
    window.Trigger(kButtonArray);
    EXPECT_TRUE(buttons.isVisible());
    EXPECT_TRUE(buttons.isMaximized());

    buttons.showMinimized();
    window.Trigger(kButtonArray);
    EXPECT_FALSE(buttons.isMinimized());
    EXPECT_TRUE(buttons.isMaximized());
}

} // namespace
} // namespace wirevane
