#include "support/small_tmpfs.h"
#include "support/temp_dir.h"
#include "terminal/traffic/log_file.h"
#include "terminal/traffic/traffic_log.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>

namespace wirevane {
namespace {

using namespace std::chrono_literals;

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
