#include "platform/command_line.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace wirevane::platform {
namespace {

// Command-line file names and messages are UTF-8; on Windows a path's narrow form is the ANSI
// code page, which would turn these names into question marks or throw.
TEST(Utf8Path, ANameGivenInUtf8NamesThatFileAndReadsBackUnchanged)
{
    test::TempDir folder;
    for (const std::string name : {"設定 テーブル.ini", "Grüße.ini", "plain.ini"}) {
        const std::filesystem::path file = folder.path() / PathFromUtf8(name);
        std::ofstream(file) << "x";
        EXPECT_EQ(Utf8FromPath(file.filename()), name);
        bool listed = false;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            listed = listed ||
                     entry.path().filename().u8string() == std::u8string(name.begin(), name.end());
        EXPECT_TRUE(listed) << name;
    }
}

} // namespace
} // namespace wirevane::platform
