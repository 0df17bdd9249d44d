#include "support/temp_dir.h"
#include "terminal/traffic/csv_recorder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace wirevane {
namespace {

// Writing into a FIFO would hang the window until something reads it, and a link that names
// nothing would make a file wherever it points: both are refused with a reason, and left alone.
TEST(CsvFileRules, WhatIsNotARegularFileIsRefusedWithAReason)
{
    test::TempDir dir;
    const auto fifo = dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto dangling = dir / "dangling";
    std::filesystem::create_symlink(dir / "nowhere" / "x.csv", dangling);
    for (const auto& path : {fifo, dangling, dir / "missing-folder" / "x.csv"}) {
        CsvRecorder recorder;
        EXPECT_NE(recorder.Open(path), u"") << path;
        EXPECT_FALSE(recorder.IsOpen());
        EXPECT_NE(SaveCsv(path, {}), u"") << path;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
}

} // namespace
} // namespace wirevane
