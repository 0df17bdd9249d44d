#include "app/settings_file_adapter.h"

#include "app/wirevane_dlg.h"

namespace wirevane {

void SettingsFileAdapter::setCyclicCheck(bool checked)
{
    m_window.SetCyclicCheck(checked);
}

void SettingsFileAdapter::selectLineEnd(LineEndSuffix lineEnd)
{
    m_window.SelectLineEnd(lineEnd);
}

void SettingsFileAdapter::showEncoding(TextEncoding encoding)
{
    m_window.ShowEncoding(encoding);
}

WindowRect SettingsFileAdapter::normalRect(PlacedWindow window) const
{
    return m_window.NormalRect(window);
}

bool SettingsFileAdapter::isVisibleAndNotMinimised(PlacedWindow window) const
{
    return m_window.IsVisibleAndNotMinimised(window);
}

} // namespace wirevane
