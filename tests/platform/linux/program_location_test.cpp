#include "platform/program_location.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace wirevane::platform {
namespace {

// Sets the variables the settings folder is chosen from for one test and puts them back after.
class SettingsEnvironment {
public:
    SettingsEnvironment() : m_config(Save("XDG_CONFIG_HOME")), m_home(Save("HOME")) {}
    ~SettingsEnvironment()
    {
        Restore("XDG_CONFIG_HOME", m_config);
        Restore("HOME", m_home);
    }
    SettingsEnvironment(const SettingsEnvironment&) = delete;
    SettingsEnvironment& operator=(const SettingsEnvironment&) = delete;

private:
    static std::optional<std::string> Save(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void Restore(const char* name, const std::optional<std::string>& value)
    {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    std::optional<std::string> m_config;
    std::optional<std::string> m_home;
};

TEST(UserSettingsFolder, FollowsTheXdgRules)
{
    SettingsEnvironment environment;
    setenv("HOME", "/home/user", 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(UserSettingsFolder(), std::filesystem::path("/home/user/.config/wirevane"));

    setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(UserSettingsFolder(), std::filesystem::path("/xdg/wirevane"));

    // A relative XDG_CONFIG_HOME is invalid and ignored, and so is an empty one.
    setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(UserSettingsFolder(), std::filesystem::path("/home/user/.config/wirevane"));
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(UserSettingsFolder(), std::filesystem::path("/home/user/.config/wirevane"));

    // Without HOME the account's own home folder still gives one.
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
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
