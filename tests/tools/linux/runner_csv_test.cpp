#include "support/child_process.h"
#include "support/file_text.h"
#include "support/pty_pair.h"
#include "support/sim_process.h"
#include "support/table_file.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <string>
#include <thread>

namespace wirevane::test {
namespace {

using namespace std::chrono_literals;

const char kHeader[] = "time,elapsed_s,series,value,unit,mode,reading\r\n";
const char kTime[] = R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d)";

std::string OneRowTable(const TempDir& dir, int delayMs)
{
    const auto file = dir / "table.ini";
    WriteTableFile(file, {{.index = 0, .data = "M", .delay = delayMs}});
    return file.string();
}

// The meter's reading sweeps while the runner records it: every frame is a line, its value the
// number shown, and elapsed_s counts from the first.
TEST(RunnerCsv, AMeterSweepIsRecordedReadingByReadingAndLineNumbersSurviveAKilledRunner)
{
    TempDir dir;
    SimProcess sim({"--meter", "--reading", "DC 1.00 V", "--reading-sweep", "0.00", "1.00",
                    "--sweep-seconds", "1", "--rate", "50", "--no-announce"});
    ASSERT_TRUE(sim.started());
    const auto csv = dir / "meter.csv";
    ChildProcess runner(toolPath("wirevane-run"),
                        {"--port", sim.devicePath(), "--tester", "--csv", csv.string(), "--linger",
                         "1500", OneRowTable(dir, 0)});
    ASSERT_EQ(runner.Wait(20s), 0) << runner.err();

    const std::string text = FileText(csv);
    ASSERT_TRUE(text.starts_with(kHeader)) << text;
    const std::regex line(std::string("(") + kTime +
                          R"(),(\d+\.\d{3}),meter,([0-9.e-]+),V,DC,DC (\d\d\.\d\d) V\r\n)");
    std::set<std::string> shown;
    double lastElapsed = -1;
    std::size_t at = sizeof kHeader - 1;
    for (std::smatch m; at < text.size(); at += static_cast<std::size_t>(m.length(0))) {
        ASSERT_TRUE(std::regex_search(text.cbegin() + static_cast<long>(at), text.cend(), m, line,
                                      std::regex_constants::match_continuous))
            << text.substr(at, 120);
        const double elapsed = std::stod(m[2]);
        EXPECT_EQ(lastElapsed < 0 ? 0.0 : std::max(elapsed, lastElapsed), elapsed);
        lastElapsed = elapsed;
        EXPECT_EQ(std::stod(m[3]), std::stod(m[4])) << m[0];
        shown.insert(m[4]);
    }
    EXPECT_GE(shown.size(), 10u) << text;

    // What a device printed up to ~200 ms before the runner was killed is in the file.
    PtyPair device;
    const auto numbers = dir / "numbers.csv";
    ChildProcess killed(toolPath("wirevane-run"),
                        {"--port", device.slavePath(), "--numbers", "--csv", numbers.string(),
                         OneRowTable(dir, 60000)});
    ASSERT_EQ(device.ReadMaster(2), "M\r");
    device.WriteMaster("boot v2.1\r\ntemp:21.4 hum=48\r\n1.5, \"x\"\n-7");
    std::this_thread::sleep_for(400ms);
    killed.Signal(SIGKILL);
    ASSERT_EQ(killed.Wait(10s), 128 + SIGKILL);
    const std::regex expected(std::string(kHeader) + kTime + R"(,0\.000,temp,21\.4,,,21\.4\r\n)" +
                              kTime + R"(,0\.000,hum,48,,,48\r\n)" + kTime +
                              R"(,\d+\.\d{3},1,1\.5,,,1\.5\r\n)");
    EXPECT_TRUE(std::regex_match(FileText(numbers), expected)) << FileText(numbers);
}

} // namespace
} // namespace wirevane::test
