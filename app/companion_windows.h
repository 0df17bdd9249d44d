#pragma once

#include "app/activation_order.h"
#include "persistence/settings_file.h"
#include "persistence/settings_interfaces.h"

class QWidget;

namespace wirevane {

class CDialogButtonArray;
class CDialogTerminal;

// The program's three windows as a set: where they are placed at start-up and where an exit
// stores them, which of them are enabled while one of them shows a dialog, and the view
// commands that show or hide a companion window.
class CompanionWindows final : public WindowPlacements {
public:
    explicit CompanionWindows(QWidget& main) : m_main(main) {}

    // The companions, once they exist; nothing of the set is asked for before.
    void Attach(CDialogTerminal& terminal, CDialogButtonArray& buttons);

    // Each window at its stored place when that lies on a screen, else at its default; the
    // main window shown and raised, the companions shown as the file says.
    void Place(SettingsFile& settings);
    // Hides a companion window that lies uncovered, and otherwise brings it to the top.
    void Toggle(QWidget& window);
    void HideCompanions();

    // The guard of the main window's dialogs, and of the port dialogs of either window; the
    // terminal's chart goes with the terminal.
    void EnableCompanionWindows(bool enable);
    // The guards of the button array's and of the terminal's own dialogs.
    void EnableMainWindowAndTerminal(bool enable);
    void EnableMainWindowAndButtonArray(bool enable);

    WindowRect NormalRect(PlacedWindow window) const override;
    bool IsVisibleAndNotMinimised(PlacedWindow window) const override;

private:
    const QWidget* WindowOf(PlacedWindow window) const;
    // The terminal with its text area and its chart.
    void EnableTerminal(bool enable);

    QWidget& m_main;
    CDialogTerminal* m_terminal = nullptr;
    CDialogButtonArray* m_buttons = nullptr;
    ActivationOrder m_activation;
};

// The companion windows disabled while a dialog of the main window is open, and enabled again
// however the dialog ends.
class CompanionGuard {
public:
    explicit CompanionGuard(CompanionWindows& windows) : m_windows(windows)
    {
        m_windows.EnableCompanionWindows(false);
    }
    ~CompanionGuard() { m_windows.EnableCompanionWindows(true); }
    CompanionGuard(const CompanionGuard&) = delete;
    CompanionGuard& operator=(const CompanionGuard&) = delete;

private:
    CompanionWindows& m_windows;
};

} // namespace wirevane
