#include "app/connection_windows_adapter.h"

#include "app/wirevane_dlg.h"

namespace wirevane {

void ConnectionWindowsAdapter::SetConnectionStatus(std::u16string_view text)
{
    m_window.SetConnectionStatus(text);
}

void ConnectionWindowsAdapter::UpdateConnectionControls(bool connected)
{
    m_window.UpdateConnectionControls(connected);
}

void ConnectionWindowsAdapter::EnableTerminalAndButtonArray(bool enable)
{
    m_window.EnableTerminalAndButtonArray(enable);
}

void ConnectionWindowsAdapter::StopRun()
{
    m_window.OnStop();
}

void ConnectionWindowsAdapter::DiscardHeldInput()
{
    m_window.DiscardHeldInput();
}

} // namespace wirevane
