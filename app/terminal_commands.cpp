#include "app/terminal_commands.h"

#include "app/companion_windows.h"
#include "app/run_choices.h"
#include "connection/connection_manager.h"
#include "core/sequence_engine.h"

namespace wirevane {

TerminalCommands::TerminalCommands(ConnectionManager& connection, SequenceEngine& engine,
                                   RunState& run, RunChoices& choices, CompanionWindows& windows,
                                   std::filesystem::path filesFolder,
                                   std::vector<std::filesystem::path> ownSettingsFiles)
    : m_connection(connection), m_engine(engine), m_run(run), m_choices(choices),
      m_windows(windows), m_filesFolder(std::move(filesFolder)),
      m_ownSettingsFiles(std::move(ownSettingsFiles))
{
}

void TerminalCommands::ConnectFrom(QWidget* dialogParent)
{
    m_connection.Connect(dialogParent);
}

void TerminalCommands::SettingsFrom(QWidget* dialogParent)
{
    m_connection.Settings(dialogParent);
}

void TerminalCommands::Disconnect()
{
    m_connection.Disconnect();
}

void TerminalCommands::SendBreak()
{
    m_connection.SendBreak();
}

void TerminalCommands::OnReset()
{
    m_engine.OnReset();
}

void TerminalCommands::SetEncoding(TextEncoding encoding)
{
    m_choices.SetEncoding(encoding);
}

bool TerminalCommands::ToggleTesterMode()
{
    m_run.testerMode = !m_run.testerMode;
    return m_run.testerMode;
}

void TerminalCommands::EnableMainWindowAndButtonArray(bool enable)
{
    m_windows.EnableMainWindowAndButtonArray(enable);
}

} // namespace wirevane
