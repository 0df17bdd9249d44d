#include "platform/atomic_file.h"
#include "support/temp_dir.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::platform {
namespace {

void Write(const std::filesystem::path& path, const char* text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void WriteLongAgo(const std::filesystem::path& path, const char* text)
{
    Write(path, text);
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                               std::chrono::hours(1));
}

// A save removes what a killed save of the same file left (its temporary, complete or not), and
// nothing that only looks like it: another file's temporary, a name off the pattern, a link, a
// folder, a FIFO, a file with a second name, and the temporary of a save still running, locked
// or only just created.
TEST(StaleTemporaries, ASaveRemovesOnlyWhatAKilledSaveOfTheSameFileLeft)
{
    test::TempDir dir;
    const std::filesystem::path file = dir / "Wirevane.ini";
    WriteLongAgo(dir / ".Wirevane.ini.a1B2c3", "killed half-way");
    WriteLongAgo(dir / ".Wirevane.ini.ZZZZZZ", "");
    Write(dir / ".Wirevane.ini.fresh1", "created, not yet locked");

    const char* kept[] = {".Other.ini.a1B2c3", ".Wirevane.ini.a1B2c", ".Wirevane.ini.a1B2c3d",
                          "Wirevane.ini.a1B2c3", ".Wirevane.ini.a1-2c3"};
    for (const char* name : kept)
        Write(dir / name, "not a temporary of this file");
    Write(dir / "target", "named by a link");
    std::filesystem::create_symlink(dir / "target", dir / ".Wirevane.ini.link01");
    std::filesystem::create_directory(dir / ".Wirevane.ini.folder");
    ASSERT_EQ(::mkfifo((dir / ".Wirevane.ini.fifo01").c_str(), 0600), 0);
    Write(dir / "first", "two names");
    std::filesystem::create_hard_link(dir / "first", dir / ".Wirevane.ini.second");
    WriteLongAgo(dir / ".Wirevane.ini.runnin", "a save in progress");
    const int running = ::open((dir / ".Wirevane.ini.runnin").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);

    const std::string text = "[CONSOLE]\r\n";
    ASSERT_TRUE(ReplaceFileAtomically(file, std::vector<uint8_t>(text.begin(), text.end())).ok());
    ::close(running);

    EXPECT_FALSE(std::filesystem::exists(dir / ".Wirevane.ini.a1B2c3"));
    EXPECT_FALSE(std::filesystem::exists(dir / ".Wirevane.ini.ZZZZZZ"));
    for (const char* name : kept)
        EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
    for (const char* name :
         {".Wirevane.ini.link01", ".Wirevane.ini.folder", ".Wirevane.ini.fifo01",
          ".Wirevane.ini.second", ".Wirevane.ini.runnin", ".Wirevane.ini.fresh1", "target"})
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(dir / name))) << name;
    EXPECT_EQ(std::filesystem::file_size(file), text.size());
}

} // namespace
} // namespace wirevane::platform
