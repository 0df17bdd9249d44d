#pragma once

#include "persistence/settings_file.h"
#include "persistence/settings_interfaces.h"

#include <filesystem>
#include <string>

namespace wirevane {

// The outcome of save as: whether a file was written and which one. When the dialog was
// confirmed but the write failed, saved is false and error says why.
struct SaveAsResult {
    bool saved = false;
    std::filesystem::path fullPath;
    std::u16string fileName;
    platform::FileError error;
};

// The main window's file commands: reload, open, save as, temporary save and load. Every file
// other than the settings file is reached through one ProfileRedirect, so a later command finds
// the settings file active again; the chosen file is not remembered.
class SettingsCommands {
public:
    SettingsCommands(SettingsFile& settings, SettingsCommandHost& host, TableLayoutStore& layout,
                     std::filesystem::path programDir, std::filesystem::path tempPath);

    // Each answers why its file could not be read or written, for the window to report; a
    // cancelled dialog answers success.
    platform::FileError OnReload();
    platform::FileError OnOpen();
    SaveAsResult OnSaveAs();
    platform::FileError OnTemporarySave();
    // A missing temporary file is a failure, and the table stays as it was.
    platform::FileError OnTemporaryLoad();

    static FileDialogRequest openRequest(const std::filesystem::path& programDir);
    static FileDialogRequest saveRequest(const std::filesystem::path& programDir);

private:
    SettingsFile& m_settings;
    SettingsCommandHost& m_host;
    TableLayoutStore& m_layout;
    std::filesystem::path m_programDir;
    std::filesystem::path m_tempPath;
};

} // namespace wirevane
