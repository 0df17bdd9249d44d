#include "app/companion_windows.h"

#include "app/window_placement.h"
#include "buttons/dialog_button_array.h"
#include "chart/chart_window.h"
#include "terminal/dialog_terminal.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace wirevane {

namespace {

WindowRect ToWindowRect(const QRect& rect)
{
    return WindowRect{rect.left(), rect.top(), rect.left() + rect.width(),
                      rect.top() + rect.height()};
}

// The extent is taken in 64 bits: a stored rectangle may span the whole 32-bit range.
QRect ToQRect(const WindowRect& rect)
{
    const auto extent = [](int32_t from, int32_t to) {
        return static_cast<int>(std::clamp<int64_t>(int64_t{to} - from, 0, kMaxWindowExtent));
    };
    return QRect(rect.left, rect.top, extent(rect.left, rect.right), extent(rect.top, rect.bottom));
}

WindowSize SizeOf(const QWidget& window)
{
    return WindowSize{window.width(), window.height()};
}

} // namespace

void CompanionWindows::Attach(CDialogTerminal& terminal, CDialogButtonArray& buttons)
{
    m_terminal = &terminal;
    m_buttons = &buttons;
}

void CompanionWindows::Place(SettingsFile& settings)
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    const WindowRect screenRect = primary != nullptr ? ToWindowRect(primary->availableGeometry())
                                                     : WindowRect{0, 0, 1024, 768};
    std::vector<WindowRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(ToWindowRect(screen->availableGeometry()));
    const DefaultPlacement defaults = ComputeDefaultPlacement(
        screenRect, SizeOf(m_main), SizeOf(*m_terminal), SizeOf(*m_buttons));
    const auto placed = [&](PlacedWindow window, const WindowRect& fallback) {
        return ToQRect(StoredOrDefault(settings.ReadWindowRect(window), fallback, screens));
    };

    m_main.setGeometry(placed(PlacedWindow::Main, defaults.main));
    m_main.show();
    m_main.raise();
    m_terminal->setGeometry(placed(PlacedWindow::Terminal, defaults.terminal));
    m_buttons->setGeometry(placed(PlacedWindow::ButtonArray, defaults.buttonArray));

    m_buttons->setVisible(settings.ReadWindowVisible(PlacedWindow::ButtonArray));
    m_terminal->setVisible(settings.ReadWindowVisible(PlacedWindow::Terminal));
}

void CompanionWindows::Toggle(QWidget& window)
{
    if (m_activation.isUncovered(window, {&m_main, m_terminal, m_buttons})) {
        window.hide();
        return;
    }
    // Out of the minimised state only: a maximised window comes back maximised.
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void CompanionWindows::HideCompanions()
{
    m_terminal->hide();
    m_buttons->hide();
}

void CompanionWindows::EnableCompanionWindows(bool enable)
{
    EnableTerminal(enable);
    m_buttons->EnableButtons(enable);
    m_buttons->setEnabled(enable);
}

void CompanionWindows::EnableMainWindowAndTerminal(bool enable)
{
    m_main.setEnabled(enable);
    EnableTerminal(enable);
}

// The chart is a window of its own, so the terminal's state does not reach it by itself; its
// commands (recording, saving, limits) must wait as the terminal's do.
void CompanionWindows::EnableTerminal(bool enable)
{
    m_terminal->setEnabled(enable);
    m_terminal->EnableTextArea(enable);
    m_terminal->chart().setEnabled(enable);
}

void CompanionWindows::EnableMainWindowAndButtonArray(bool enable)
{
    m_main.setEnabled(enable);
    m_buttons->setEnabled(enable);
}

const QWidget* CompanionWindows::WindowOf(PlacedWindow window) const
{
    switch (window) {
    case PlacedWindow::Terminal:
        return m_terminal;
    case PlacedWindow::ButtonArray:
        return m_buttons;
    case PlacedWindow::Main:
        break;
    }
    return &m_main;
}

WindowRect CompanionWindows::NormalRect(PlacedWindow window) const
{
    const QWidget* widget = WindowOf(window);
    const bool restored = !widget->isMinimized() && !widget->isMaximized();
    return ToWindowRect(restored ? widget->geometry() : widget->normalGeometry());
}

bool CompanionWindows::IsVisibleAndNotMinimised(PlacedWindow window) const
{
    const QWidget* widget = WindowOf(window);
    return widget->isVisible() && !widget->isMinimized();
}

} // namespace wirevane
