#pragma once

#include <filesystem>
#include <functional>
#include <optional>

namespace wirevane {

// Where the program keeps its three files: the executable's folder when the program may write
// there, otherwise the user's configuration folder, so that an installed program does not lose
// its settings. The folders end in a separator, as programDir always has.
struct ProgramPaths {
    std::filesystem::path programDir;
    std::filesystem::path settingsPath;   // "Wirevane.ini"
    std::filesystem::path tempPath;       // "Temporally.ini"
    std::filesystem::path buttonFilePath; // "WirevaneButtons.ini"
};

struct ProgramPathInputs {
    std::filesystem::path executableFolder;
    std::optional<std::filesystem::path> xdgConfigHome; // $XDG_CONFIG_HOME when set, not empty
    std::optional<std::filesystem::path> home;          // $HOME
    std::function<bool(const std::filesystem::path&)> isWritableFolder;
};

// The per-user folder is $XDG_CONFIG_HOME/wirevane/, else ~/.config/wirevane/; it is created by
// the first write, not here.
ProgramPaths ResolveProgramPaths(const ProgramPathInputs& inputs);

// The three files in the given folder, whatever the folder; for a program folder chosen by the
// caller (a test, a tool that must not touch anyone's settings).
ProgramPaths ProgramPathsIn(const std::filesystem::path& folder);

// The same from the running process: its executable's folder and environment.
ProgramPaths ResolveProgramPathsForThisProcess();

} // namespace wirevane
