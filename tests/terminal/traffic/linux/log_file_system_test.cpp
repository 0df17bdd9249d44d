#include "support/small_tmpfs.h"
#include "support/temp_dir.h"
#include "terminal/traffic/csv_recorder.h"
#include "terminal/traffic/log_file.h"
#include "terminal/traffic/traffic_log.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane {
namespace {

using namespace std::chrono_literals;

// A log pointed at a FIFO held the runner in its open for ever when nothing read the FIFO, and
// wrote into it when something did; a device was emptied and written. Each is refused with a
// reason that names it, and left alone; a link to a regular file is still followed.
TEST(TrafficFileRules, OnlyARegularFileIsOpenedForALogOrACsvFile)
{
    test::TempDir dir;
    const auto unread = dir / "unread";
    const auto read = dir / "read";
    ASSERT_EQ(mkfifo(unread.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(read.c_str(), 0600), 0);
    const int reader = ::open(read.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    for (const auto& path : {unread, read, std::filesystem::path("/dev/null")}) {
        for (const bool append : {false, true}) {
            LogFile log;
            const platform::FileError error = log.Open(path, append);
            EXPECT_FALSE(error.ok()) << path;
            EXPECT_NE(error.message.find("Not a regular file"), std::string::npos) << path;
            EXPECT_FALSE(log.IsOpen());
        }
    }
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0);
    ::close(reader);
    EXPECT_TRUE(std::filesystem::is_fifo(unread));

    const auto target = dir / "log.txt";
    const auto link = dir / "link";
    ASSERT_TRUE(LogFile().Open(target, false).ok());
    std::filesystem::create_symlink(target, link);
    LogFile log;
    ASSERT_TRUE(log.Open(link, false).ok());
    EXPECT_TRUE(std::filesystem::is_regular_file(target));
    EXPECT_TRUE(std::filesystem::is_symlink(link));

    // Writing a CSV file into a FIFO would hang the window until something reads it, and a link
    // that names nothing would make a log or a CSV file wherever it points: each is refused with
    // a reason, and left alone.
    const auto dangling = dir / "dangling";
    std::filesystem::create_symlink(dir / "elsewhere.txt", dangling);
    EXPECT_EQ(LogFile().Open(dangling, true).message,
              "The link names no file; nothing is created through it");
    for (const auto& path : {unread, dangling, dir / "missing-folder" / "x.csv"}) {
        CsvRecorder recorder;
        EXPECT_NE(recorder.Open(path), u"") << path;
        EXPECT_FALSE(recorder.IsOpen());
        EXPECT_NE(SaveCsv(path, {}), u"") << path;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(unread));
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere.txt"));
}

TEST(TrafficLogOnAFullDisk, StopsTheLogKeepsTheReasonAndWritesNothingMore)
{
    const test::TempDir dir;
    const test::SmallTmpfs disk(dir / "disk", 64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.why();
    const auto file = dir / "disk" / "log.txt";
    TrafficLog log;
    ASSERT_TRUE(log.Start({file, false, LogChoice::ShownText, LogChoice::Utf8}).ok());
    const std::u16string chunk(1000, u'x');
    bool stopped = false;
    LogFile::Clock::time_point now{};
    for (int i = 0; i < 200 && !stopped; ++i) {
        now += LogFile::kFlushInterval;
        stopped = !log.OnShown(chunk, now);
    }
    ASSERT_TRUE(stopped);
    EXPECT_FALSE(log.running());
    ASSERT_TRUE(log.failure().has_value());
    EXPECT_EQ(log.failure()->code, ENOSPC);
    // Stopped means stopped: later text is ignored, not an error again.
    EXPECT_TRUE(log.OnShown(chunk, now + 1s));
    EXPECT_EQ(log.Stop().code, ENOSPC);
    EXPECT_LE(std::filesystem::file_size(file), 64u * 1024);
}

} // namespace
} // namespace wirevane
