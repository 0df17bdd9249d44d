// Delay accuracy of the engine on the Qt event loop: rows with a delay of 100 ms, no waits;
// the device notes when each row's first byte arrives. The figure is the gap between two rows
// minus the 100 ms asked for. With --load a spinning process runs beside it the whole time;
// with --realtime the run takes the program's realtime priority, as the option in the window
// and wirevane-run's --realtime do.

#include "bench/bench_flags.h"
#include "bench/counting_terminal.h"
#include "bench/cpu_load.h"
#include "bench/pty_device.h"
#include "e2e/qt_engine_rig.h"
#include "serial/run_priority.h"
#include "support/widgets/run_until.h"

#include <QCoreApplication>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

using namespace wirevane;
using namespace wirevane::bench;

namespace {

constexpr int kGaps = 200;
constexpr int kDelayMs = 100;

std::vector<int64_t> RowArrivals(PtyDevice& device, int rows)
{
    std::vector<int64_t> arrivals;
    uint8_t buffer[4096];
    bool rowStarts = true;
    while (static_cast<int>(arrivals.size()) < rows) {
        const ssize_t got = device.ReadSome(buffer, sizeof buffer, 10'000);
        const int64_t now = NowNs();
        if (got <= 0)
            break;
        for (ssize_t i = 0; i < got; ++i) {
            if (rowStarts)
                arrivals.push_back(now);
            rowStarts = buffer[i] == '\r';
        }
    }
    return arrivals;
}

} // namespace

int main(int argc, char** argv)
{
    // Before Qt starts: the neighbour is a plain fork that only spins.
    const SpinningNeighbour neighbour(SpinningNeighbour::Asked(argc, argv));
    QCoreApplication app(argc, argv);
    PtyDevice device;
    test::QtEngineRig<CountingTerminal> rig;
    for (int i = 0; i < SendTable::kRowCount; ++i)
        rig.SetRow(i, u"ROW", WaitKind::None, kDelayMs);
    rig.run.cyclic = true;
    if (!device.ok() || rig.Open(device.portPath()) != 0) {
        std::printf("cannot open the pseudo-terminal\n");
        return 1;
    }
    std::vector<int64_t> arrivals;
    bool deviceDone = false;
    const bool realtime = FlagGiven(argc, argv, "--realtime");
    std::atomic<bool> promptDevice{false};
    std::thread deviceThread([&] {
        // The device is the instrument: a real one stamps a byte as it comes, so its thread
        // asks for the top priority in every variant, and only the program's own threads differ
        // between a plain and a realtime run.
        promptDevice = !platform::RaiseToRealtime().has_value();
        arrivals = RowArrivals(device, kGaps + 1);
        deviceDone = true;
    });
    RunPriority priority(rig.port.serial);
    priority.SetAllowed(realtime);
    const RunPriorityRefusals refusals = priority.RunChanged(true);
    if (refusals.priority)
        std::printf("realtime priority refused: %s\n", refusals.priority->reason.c_str());
    if (refusals.awakeProcessors)
        std::printf("idle processors not kept awake: %s\n",
                    refusals.awakeProcessors->reason.c_str());
    rig.engine.OnSend();
    test::RunEventsUntil([&] { return rig.port.writes >= kGaps + 1; }, 60'000);
    rig.engine.OnStop();
    priority.RunChanged(false);
    deviceThread.join();

    std::vector<double> errors;
    for (std::size_t i = 1; i < arrivals.size(); ++i)
        errors.push_back(static_cast<double>(arrivals[i] - arrivals[i - 1]) / 1e6 - kDelayMs);
    const Spread spread = SpreadOf(errors);
    std::printf("delay accuracy, rows with delay %d ms, %zu gaps%s%s%s\n", kDelayMs, spread.count,
                neighbour.running() ? ", one spinning process beside it" : "",
                priority.allowed() ? ", realtime priority asked" : "",
                promptDevice ? "" : ", the device's thread at normal priority");
    std::printf("gap - %d ms: median %.3f ms (goal <= 0.2), p99 %.3f ms (goal <= 2)\n", kDelayMs,
                spread.median, spread.p99);
    return deviceDone ? 0 : 1;
}
