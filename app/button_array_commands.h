#pragma once

#include "buttons/button_array_host.h"

namespace wirevane {

class CompanionWindows;
class FileCommands;
class SequenceEngine;
class SettingsFile;

// What the button array window's buttons reach beyond it: the settings file a button loads, the
// save as of the file commands, the run, and the other two windows around its own dialogs.
class ButtonArrayCommands final : public ButtonArrayHost {
public:
    ButtonArrayCommands(SettingsFile& settings, FileCommands& files, SequenceEngine& engine,
                        CompanionWindows& windows)
        : m_settings(settings), m_files(files), m_engine(engine), m_windows(windows)
    {
    }

    platform::FileError LoadSettingsFile() override;
    SaveAsResult SaveAs() override;
    void OnReset() override;
    void OnSend() override;
    void OnStop() override;
    void EnableMainWindowAndTerminal(bool enable) override;

private:
    SettingsFile& m_settings;
    FileCommands& m_files;
    SequenceEngine& m_engine;
    CompanionWindows& m_windows;
};

} // namespace wirevane
