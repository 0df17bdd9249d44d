#include "persistence/program_paths.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

ProgramPathInputs inputs(bool writable)
{
    return ProgramPathInputs{"/opt/wirevane/bin", std::nullopt, "/home/user",
                             [writable](const std::filesystem::path&) { return writable; }};
}

TEST(ProgramPaths, UseTheProgramFolderWhenItIsWritable)
{
    ProgramPaths paths = ResolveProgramPaths(inputs(true));
    EXPECT_EQ(paths.programDir, "/opt/wirevane/bin/");
    EXPECT_EQ(paths.settingsPath, "/opt/wirevane/bin/Wirevane.ini");
    EXPECT_EQ(paths.tempPath, "/opt/wirevane/bin/Temporally.ini");
    EXPECT_EQ(paths.buttonFilePath, "/opt/wirevane/bin/WirevaneButtons.ini");
}

TEST(ProgramPaths, FallBackToTheUsersConfigurationFolder)
{
    EXPECT_EQ(ResolveProgramPaths(inputs(false)).settingsPath,
              "/home/user/.config/wirevane/Wirevane.ini");

    ProgramPathInputs withXdg = inputs(false);
    withXdg.xdgConfigHome = "/xdg";
    EXPECT_EQ(ResolveProgramPaths(withXdg).programDir, "/xdg/wirevane/");

    // A relative XDG_CONFIG_HOME is invalid and ignored.
    withXdg.xdgConfigHome = "relative";
    EXPECT_EQ(ResolveProgramPaths(withXdg).programDir, "/home/user/.config/wirevane/");
}

} // namespace
} // namespace wirevane
