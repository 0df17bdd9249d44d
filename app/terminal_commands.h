#pragma once

#include "core/run_state.h"
#include "terminal/terminal_host.h"

#include <filesystem>
#include <vector>

namespace wirevane {

class CompanionWindows;
class ConnectionManager;
class RunChoices;
class SequenceEngine;

// What the terminal window's commands reach beyond it: the port commands of connection
// management, the run's reset, the encoding and tester mode the windows share, and the other
// two windows around the terminal's own dialogs.
class TerminalCommands final : public TerminalHost {
public:
    TerminalCommands(ConnectionManager& connection, SequenceEngine& engine, RunState& run,
                     RunChoices& choices, CompanionWindows& windows,
                     std::filesystem::path filesFolder,
                     std::vector<std::filesystem::path> ownSettingsFiles);

    void ConnectFrom(QWidget* dialogParent) override;
    void SettingsFrom(QWidget* dialogParent) override;
    void Disconnect() override;
    void SendBreak() override;
    void OnReset() override;
    void SetEncoding(TextEncoding encoding) override;
    bool ToggleTesterMode() override;
    bool IsTesterMode() const override { return m_run.testerMode; }
    void EnableMainWindowAndButtonArray(bool enable) override;
    std::filesystem::path FilesFolder() const override { return m_filesFolder; }
    std::vector<std::filesystem::path> OwnSettingsFiles() const override
    {
        return m_ownSettingsFiles;
    }

private:
    ConnectionManager& m_connection;
    SequenceEngine& m_engine;
    RunState& m_run;
    RunChoices& m_choices;
    CompanionWindows& m_windows;
    std::filesystem::path m_filesFolder;
    std::vector<std::filesystem::path> m_ownSettingsFiles;
};

} // namespace wirevane
