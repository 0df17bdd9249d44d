#include "platform/atomic_file.h"
#include "support/temp_dir.h"
#include "tools/wirevane-run/timing_report.h"

#include <gtest/gtest.h>

namespace wirevane::runner {
namespace {

TEST(TimingReport, RowsCarryHexBytesTimesAndTurnaround)
{
    TimingReport report("2026-01-02T03:04:05Z");
    const uint8_t first[] = {0x41, 0x0D, 0xAB};
    report.RowWritten(0, first, 1000);
    report.AwaitedByteArrived(1250);
    report.AwaitedByteArrived(9999); // a later byte is not this row's answer
    const uint8_t second[] = {0x0A};
    report.RowWritten(7, second, 2000);

    EXPECT_EQ(report.ToJson(),
              "{\n  \"started_utc\": \"2026-01-02T03:04:05Z\",\n  \"rows\": [\n"
              "    {\"index\": 0, \"bytes\": \"410DAB\", \"written_us\": 1000, \"answered_us\": "
              "1250, \"turnaround_us\": 250},\n"
              "    {\"index\": 7, \"bytes\": \"0A\", \"written_us\": 2000, \"answered_us\": null, "
              "\"turnaround_us\": null}\n  ]\n}\n");
}

TEST(TimingReport, EmptyRunAndOddStartTextStayValidJson)
{
    TimingReport report("a\"b\\c\n");
    report.AwaitedByteArrived(5); // no row yet: nothing to attach it to
    EXPECT_EQ(report.ToJson(),
              "{\n  \"started_utc\": \"a\\\"b\\\\c\\u000a\",\n  \"rows\": []\n}\n");
}

TEST(TimingReport, WritesTheFileAndReportsAFolderThatIsMissing)
{
    test::TempDir dir;
    TimingReport report;
    const uint8_t bytes[] = {0x31};
    report.RowWritten(3, bytes, 10);
    ASSERT_TRUE(report.WriteTo(dir / "report.json").ok());
    std::vector<uint8_t> written;
    ASSERT_TRUE(platform::ReadWholeFile(dir / "report.json", written).ok());
    EXPECT_EQ(std::string(written.begin(), written.end()), report.ToJson());

    const platform::FileError error = report.WriteTo(dir / "missing" / "report.json");
    EXPECT_FALSE(error.ok());
    EXPECT_FALSE(error.message.empty());
}

} // namespace
} // namespace wirevane::runner
