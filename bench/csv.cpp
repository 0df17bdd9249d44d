// Readings as CSV: (a) the cost of one CSV line and of one recorded reading, in process; (b) the
// runner's CSV rate with a flooding meter: a device on a pseudo-terminal sends meter frames as
// fast as the terminal takes them while `wirevane-run --tester --csv` records them, and the
// figures say how many readings a second reached the file and whether one was lost.
#include "core/measurement_from_tester.h"
#include "support/child_process.h"
#include "support/file_text.h"
#include "support/pty_pair.h"
#include "support/table_file.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"
#include "terminal/traffic/csv_recorder.h"

#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// "AC -12.34 V"
const wirevane::TesterFrame kFrame = {0x18, 0x28, 0x35, 0x45, 0x5B, 0x69, 0x7F,
                                      0x82, 0x97, 0xA0, 0xB0, 0xC0, 0xD4, 0xE0};
constexpr std::size_t kFloodFrames = 200'000;

wirevane::Measurement Reading()
{
    return *wirevane::MeasurementFromTester(wirevane::DecodeTesterFrame(kFrame),
                                            std::chrono::system_clock::now());
}

void BM_CsvLine(benchmark::State& state)
{
    const wirevane::Measurement m = Reading();
    for (auto _ : state)
        benchmark::DoNotOptimize(wirevane::CsvLine(m, m.time));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CsvLine);

void BM_CsvRecorder(benchmark::State& state)
{
    wirevane::test::TempDir dir;
    wirevane::CsvRecorder recorder;
    if (!recorder.Open(dir / "bench.csv").empty()) {
        state.SkipWithError("cannot write the CSV file");
        return;
    }
    wirevane::Measurement m = Reading();
    for (auto _ : state) {
        m.time += 1ms;
        recorder.AddMeasurement(m);
    }
    recorder.Close();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CsvRecorder);

std::size_t CountLines(const std::filesystem::path& file)
{
    const std::string text = wirevane::test::FileText(file);
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

void RunnerFlood()
{
    wirevane::test::TempDir dir;
    wirevane::test::PtyPair device;
    const auto table = dir / "table.ini";
    wirevane::test::WriteTableFile(table, {{.index = 0, .data = "M", .delay = 600'000}});
    const auto csv = dir / "flood.csv";
    wirevane::test::ChildProcess runner(
        wirevane::test::toolPath("wirevane-run"),
        {"--port", device.slavePath(), "--tester", "--csv", csv.string(), table.string()});
    if (device.ReadMaster(2) != "M\r") {
        std::printf("runner flood: the runner did not start: %s\n", runner.err().c_str());
        return;
    }
    std::string sent;
    for (std::size_t i = 0; i < kFloodFrames; ++i)
        sent.append(kFrame.begin(), kFrame.end());
    const Clock::time_point start = Clock::now();
    std::atomic<bool> sentAll = false;
    std::thread sender([&] {
        for (std::size_t at = 0; at < sent.size(); at += 64 * 1024)
            device.WriteMaster(std::string_view(sent).substr(at, 64 * 1024));
        sentAll = true;
    });
    // The file grows until the last reading is in; its size standing still for half a second
    // after the flood, with the flush interval far shorter, says the runner is done.
    std::uintmax_t size = 0;
    Clock::time_point grew = start;
    while (Clock::now() - grew < 500ms || !sentAll) {
        // Collecting its standard output keeps the runner from blocking on a full pipe.
        runner.WaitForOutput("\x01", 20ms);
        std::error_code error;
        const std::uintmax_t now = std::filesystem::file_size(csv, error);
        if (!error && now != size) {
            size = now;
            grew = Clock::now();
        }
    }
    sender.join();
    const double seconds = std::chrono::duration<double>(grew - start).count();
    runner.Signal(SIGINT);
    runner.Wait(10s);
    const std::size_t readings = CountLines(csv) - 1;
    std::printf(
        "runner flood: %zu frames sent, %zu readings in the CSV file (%s), %.0f readings/s, "
        "%.1f MB of CSV\n",
        kFloodFrames, readings, readings == kFloodFrames ? "none lost" : "SOME LOST",
        static_cast<double>(readings) / seconds, static_cast<double>(size) / 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RunnerFlood();
    return 0;
}
