#pragma once

#include <filesystem>
#include <functional>

namespace wirevane {

// Where the program keeps its three files: the executable's folder when the program may write
// there, otherwise the user's settings folder, so that an installed program does not lose
// its settings. The folders end in a separator, as programDir always has.
struct ProgramPaths {
    std::filesystem::path programDir;
    std::filesystem::path settingsPath;   // "Wirevane.ini"
    std::filesystem::path tempPath;       // "Temporally.ini"
    std::filesystem::path buttonFilePath; // "WirevaneButtons.ini"
};

struct ProgramPathInputs {
    std::filesystem::path executableFolder;
    std::filesystem::path userSettingsFolder; // empty when the system names none
    std::function<bool(const std::filesystem::path&)> isWritableFolder;
    std::function<bool(const std::filesystem::path&)> isSystemProgramFolder;
};

// The program folder serves when it is writable and not one of the system's program folders
// (an installed copy started by an administrator must not write into /usr/bin); otherwise the
// user's settings folder does. That folder is created by the first write, not here.
ProgramPaths ResolveProgramPaths(const ProgramPathInputs& inputs);

// The three files in the given folder, whatever the folder; for a program folder chosen by the
// caller (a test, a tool that must not touch anyone's settings).
ProgramPaths ProgramPathsIn(const std::filesystem::path& folder);

// The same from the running process: its executable's folder and environment.
ProgramPaths ResolveProgramPathsForThisProcess();

} // namespace wirevane
