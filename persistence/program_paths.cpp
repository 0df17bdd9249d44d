#include "persistence/program_paths.h"

#include "platform/program_location.h"

namespace wirevane {
namespace {

std::filesystem::path withSeparator(std::filesystem::path folder)
{
    folder /= "";
    return folder;
}

} // namespace

ProgramPaths ResolveProgramPaths(const ProgramPathInputs& inputs)
{
    const std::filesystem::path& programFolder = inputs.executableFolder;
    const bool systemFolder = inputs.isSystemProgramFolder(programFolder);
    if (!systemFolder && inputs.isWritableFolder(programFolder)) {
        return ProgramPathsIn(programFolder);
    }
    if (!inputs.userSettingsFolder.empty()) {
        return ProgramPathsIn(inputs.userSettingsFolder);
    }
    // With no folder of the user's, a read-only program folder still gives the files the
    // program ships with; a system folder gives none, and the first save says it failed.
    return ProgramPathsIn(systemFolder ? std::filesystem::path() : programFolder);
}

ProgramPaths ProgramPathsIn(const std::filesystem::path& folder)
{
    ProgramPaths paths;
    paths.programDir = withSeparator(folder);
    paths.settingsPath = paths.programDir / "Wirevane.ini";
    paths.tempPath = paths.programDir / "Temporally.ini";
    paths.buttonFilePath = paths.programDir / "WirevaneButtons.ini";
    return paths;
}

ProgramPaths ResolveProgramPathsForThisProcess()
{
    return ResolveProgramPaths(ProgramPathInputs{
        platform::ExecutableFolder(), platform::UserSettingsFolder(),
        [](const std::filesystem::path& folder) { return platform::IsWritableFolder(folder); },
        [](const std::filesystem::path& folder) {
            return platform::IsSystemProgramFolder(folder);
        }});
}

} // namespace wirevane
