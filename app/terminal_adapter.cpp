#include "app/terminal_adapter.h"

#include "app/wirevane_dlg.h"

namespace wirevane {

void TerminalAdapter::ConnectFrom(QWidget* dialogParent)
{
    m_window.ConnectFrom(dialogParent);
}

void TerminalAdapter::SettingsFrom(QWidget* dialogParent)
{
    m_window.SettingsFrom(dialogParent);
}

void TerminalAdapter::Disconnect()
{
    m_window.Disconnect();
}

void TerminalAdapter::SendBreak()
{
    m_window.SendBreak();
}

void TerminalAdapter::OnReset()
{
    m_window.OnReset();
}

void TerminalAdapter::SetEncoding(TextEncoding encoding)
{
    m_window.SetEncoding(encoding);
}

bool TerminalAdapter::ToggleTesterMode()
{
    return m_window.ToggleTesterMode();
}

bool TerminalAdapter::IsTesterMode() const
{
    return m_window.IsTesterMode();
}

void TerminalAdapter::EnableMainWindowAndButtonArray(bool enable)
{
    m_window.EnableMainWindowAndButtonArray(enable);
}

std::filesystem::path TerminalAdapter::FilesFolder() const
{
    return m_window.m_paths.programDir;
}

} // namespace wirevane
