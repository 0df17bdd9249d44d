#include "app/button_array_adapter.h"

#include "app/wirevane_dlg.h"

namespace wirevane {

platform::FileError ButtonArrayAdapter::LoadSettingsFile()
{
    return m_window.LoadSettingsFile();
}

SaveAsResult ButtonArrayAdapter::SaveAs()
{
    return m_window.SaveAs();
}

void ButtonArrayAdapter::OnReset()
{
    m_window.OnReset();
}

void ButtonArrayAdapter::OnSend()
{
    m_window.OnSend();
}

void ButtonArrayAdapter::OnStop()
{
    m_window.OnStop();
}

void ButtonArrayAdapter::EnableMainWindowAndTerminal(bool enable)
{
    m_window.EnableMainWindowAndTerminal(enable);
}

} // namespace wirevane
