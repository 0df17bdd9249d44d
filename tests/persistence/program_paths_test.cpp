#include "persistence/program_paths.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

ProgramPathInputs inputs(bool writable, bool systemFolder = false)
{
    return ProgramPathInputs{"/opt/wirevane/bin", "/home/user/.config/wirevane",
                             [writable](const std::filesystem::path&) { return writable; },
                             [systemFolder](const std::filesystem::path&) { return systemFolder; }};
}

TEST(ProgramPaths, UseTheProgramFolderWhenItIsWritableAndNotTheSystemsAndTheUsersOtherwise)
{
    ProgramPaths paths = ResolveProgramPaths(inputs(true));
    EXPECT_EQ(paths.programDir, std::filesystem::path("/opt/wirevane/bin/"));
    EXPECT_EQ(paths.settingsPath, std::filesystem::path("/opt/wirevane/bin/Wirevane.ini"));
    EXPECT_EQ(paths.tempPath, std::filesystem::path("/opt/wirevane/bin/Temporally.ini"));
    EXPECT_EQ(paths.buttonFilePath, std::filesystem::path("/opt/wirevane/bin/WirevaneButtons.ini"));
    EXPECT_EQ(ResolveProgramPaths(inputs(false)).settingsPath,
              std::filesystem::path("/home/user/.config/wirevane/Wirevane.ini"));

    // An installed copy started by an administrator may write its own folder; its settings must
    // still not land among the system's programs.
    EXPECT_EQ(ResolveProgramPaths(inputs(true, true)).programDir,
              std::filesystem::path("/home/user/.config/wirevane/"));

    ProgramPathInputs noUserFolder = inputs(true, true);
    noUserFolder.userSettingsFolder.clear();
    EXPECT_EQ(ResolveProgramPaths(noUserFolder).settingsPath,
              std::filesystem::path("Wirevane.ini"));

    // A read-only folder of the user's own still lends its shipped files when nothing else can.
    noUserFolder = inputs(false);
    noUserFolder.userSettingsFolder.clear();
    EXPECT_EQ(ResolveProgramPaths(noUserFolder).programDir,
              std::filesystem::path("/opt/wirevane/bin/"));
}

} // namespace
} // namespace wirevane
