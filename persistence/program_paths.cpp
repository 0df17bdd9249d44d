#include "persistence/program_paths.h"

#include "platform/program_location.h"

#include <cstdlib>

namespace wirevane {
namespace {

std::filesystem::path withSeparator(std::filesystem::path folder)
{
    folder /= "";
    return folder;
}

std::optional<std::filesystem::path> environmentPath(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::filesystem::path(value);
}

} // namespace

ProgramPaths ResolveProgramPaths(const ProgramPathInputs& inputs)
{
    std::filesystem::path folder = inputs.executableFolder;
    if (!inputs.isWritableFolder(folder)) {
        if (inputs.xdgConfigHome && inputs.xdgConfigHome->is_absolute()) {
            folder = *inputs.xdgConfigHome / "wirevane";
        } else if (inputs.home) {
            folder = *inputs.home / ".config" / "wirevane";
        }
    }
    return ProgramPathsIn(folder);
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
        platform::executableFolder(), environmentPath("XDG_CONFIG_HOME"), environmentPath("HOME"),
        [](const std::filesystem::path& folder) { return platform::isWritableFolder(folder); }});
}

} // namespace wirevane
