#pragma once

#include <filesystem>

namespace wirevane::platform {

// The folder of the running program's executable file.
std::filesystem::path ExecutableFolder();

// Whether this process may create and replace files in the folder.
bool IsWritableFolder(const std::filesystem::path& folder);

// The user's own folder for the program's settings, used when the program's folder cannot
// hold them: $XDG_CONFIG_HOME/wirevane (an absolute one only), else ~/.config/wirevane on
// Linux; %APPDATA%\Wirevane on Windows. Empty when the system names no such folder. It is not
// created here.
std::filesystem::path UserSettingsFolder();

// Whether the folder is one where the system keeps installed programs (/usr/bin, /bin, ... on
// Linux; the Windows and Program Files folders on Windows). Settings never go there, not even
// for a user who may write there: an administrator's settings would sit among the system's
// programs and be shared by every account.
bool IsSystemProgramFolder(const std::filesystem::path& folder);

} // namespace wirevane::platform
