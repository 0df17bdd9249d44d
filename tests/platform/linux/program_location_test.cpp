#include "platform/program_location.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace wirevane::platform {
namespace {

TEST(UserSettingsFolder, FollowsTheXdgRules)
{
    test::ScopedEnvironment environment;
    environment.Set("HOME", "/home/user");
    environment.Unset("XDG_CONFIG_HOME");
    EXPECT_EQ(UserSettingsFolder(), std::filesystem::path("/home/user/.config/wirevane"));

    environment.Set("XDG_CONFIG_HOME", "/xdg");
    EXPECT_EQ(UserSettingsFolder(), std::filesystem::path("/xdg/wirevane"));

    // A relative XDG_CONFIG_HOME is invalid and ignored, and so is an empty one.
    environment.Set("XDG_CONFIG_HOME", "relative");
    EXPECT_EQ(UserSettingsFolder(), std::filesystem::path("/home/user/.config/wirevane"));
    environment.Set("XDG_CONFIG_HOME", "");
    EXPECT_EQ(UserSettingsFolder(), std::filesystem::path("/home/user/.config/wirevane"));

    // Without HOME the account's own home folder still gives one.
    environment.Unset("XDG_CONFIG_HOME");
    environment.Unset("HOME");
    EXPECT_FALSE(UserSettingsFolder().empty());
}

TEST(IsSystemProgramFolder, CoversTheSystemsProgramFoldersAndNothingElse)
{
    for (const char* folder : {"/usr/bin", "/usr/bin/", "/usr/local/bin", "/bin", "/sbin",
                               "/usr/lib/wirevane", "/usr/bin/../sbin"})
        EXPECT_TRUE(IsSystemProgramFolder(folder)) << folder;

    test::TempDir dir;
    for (const std::filesystem::path& folder :
         {std::filesystem::path("/opt/wirevane/bin"), std::filesystem::path("/home/user/bin"),
          std::filesystem::path("/usrlocal"), dir.path(), dir / "usr" / "bin"})
        EXPECT_FALSE(IsSystemProgramFolder(folder)) << folder;

    // A link that leads into a system folder is that folder.
    std::filesystem::create_directory_symlink("/usr/bin", dir / "tools");
    EXPECT_TRUE(IsSystemProgramFolder(dir / "tools"));
}

} // namespace
} // namespace wirevane::platform
