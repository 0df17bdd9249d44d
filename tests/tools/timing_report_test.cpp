#include "support/file_text.h"
#include "support/temp_dir.h"
#include "tools/wirevane-run/timing_report.h"

#include <gtest/gtest.h>

namespace wirevane::runner {
namespace {

TEST(TimingReport, EachRowOfTheTableIsOneEntryHoweverOftenItWasSent)
{
    TimingReport report("2026-01-02T03:04:05Z");
    const uint8_t first[] = {0x41, 0x0D, 0xAB};
    const uint8_t second[] = {0x0A};
    report.RowWritten(0, first, 1000);
    report.AwaitedByteArrived(1250);
    report.AwaitedByteArrived(9999); // a later byte is not this sending's answer
    report.RowWritten(7, second, 2000);
    report.RowWritten(0, first, 3000);
    report.AwaitedByteArrived(3100);
    report.RowWritten(0, first, 4000);
    report.AwaitedByteArrived(4400);
    report.RowWritten(7, second, 5000);
    report.RowWritten(0, first, 6000); // the last sending went unanswered

    EXPECT_EQ(report.ToJson(),
              "{\n  \"started_utc\": \"2026-01-02T03:04:05Z\",\n  \"rows\": [\n"
              "    {\"index\": 0, \"bytes\": \"410DAB\", \"written_us\": 6000, \"answered_us\": "
              "null, \"turnaround_us\": null, \"sent\": 4, \"answered\": 3, "
              "\"turnaround_min_us\": 100, \"turnaround_max_us\": 400, \"turnaround_mean_us\": "
              "250},\n"
              "    {\"index\": 7, \"bytes\": \"0A\", \"written_us\": 5000, \"answered_us\": null, "
              "\"turnaround_us\": null, \"sent\": 2, \"answered\": 0, \"turnaround_min_us\": "
              "null, \"turnaround_max_us\": null, \"turnaround_mean_us\": null}\n  ]\n}\n");

    // An empty run and an odd start text stay valid JSON.
    TimingReport empty("a\"b\\c\n");
    empty.AwaitedByteArrived(5); // no row yet: nothing to attach it to
    EXPECT_EQ(empty.ToJson(), "{\n  \"started_utc\": \"a\\\"b\\\\c\\u000a\",\n  \"rows\": []\n}\n");
}

// A run that repeats for days must not grow with the number of rows it sent.
TEST(TimingReport, StaysTheSameSizeOverAMillionSendings)
{
    TimingReport report;
    const uint8_t bytes[] = {0x41, 0x54, 0x0D};
    for (int64_t sending = 0; sending < 1'000'000; ++sending) {
        report.RowWritten(static_cast<int>(sending % 3), bytes, sending * 10);
        report.AwaitedByteArrived(sending * 10 + 7);
    }
    EXPECT_EQ(report.rows().size(), 3u);
    EXPECT_LT(report.ToJson().size(), 1000u);
    EXPECT_NE(report.ToJson().find("\"sent\": 333334, \"answered\": 333334, \"turnaround_min_us\": "
                                   "7, \"turnaround_max_us\": 7, \"turnaround_mean_us\": 7}"),
              std::string::npos);
}

TEST(TimingReport, WritesTheFileAndReportsAFolderThatIsMissing)
{
    test::TempDir dir;
    TimingReport report;
    const uint8_t bytes[] = {0x31};
    report.RowWritten(3, bytes, 10);
    ASSERT_TRUE(report.WriteTo(dir / "report.json").ok());
    EXPECT_EQ(test::FileText(dir / "report.json"), report.ToJson());

    const platform::FileError error = report.WriteTo(dir / "missing" / "report.json");
    EXPECT_FALSE(error.ok());
    EXPECT_FALSE(error.message.empty());
}

} // namespace
} // namespace wirevane::runner
