#include "app/button_array_commands.h"

#include "app/companion_windows.h"
#include "app/file_commands.h"
#include "core/sequence_engine.h"
#include "persistence/settings_file.h"

namespace wirevane {

platform::FileError ButtonArrayCommands::LoadSettingsFile()
{
    return m_settings.LoadSettingsFile();
}

SaveAsResult ButtonArrayCommands::SaveAs()
{
    return m_files.SaveAs();
}

void ButtonArrayCommands::OnReset()
{
    m_engine.OnReset();
}

void ButtonArrayCommands::OnSend()
{
    m_engine.OnSend();
}

void ButtonArrayCommands::OnStop()
{
    m_engine.OnStop();
}

void ButtonArrayCommands::EnableMainWindowAndTerminal(bool enable)
{
    m_windows.EnableMainWindowAndTerminal(enable);
}

} // namespace wirevane
