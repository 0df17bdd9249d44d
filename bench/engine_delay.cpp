// Delay accuracy of the engine on the Qt event loop: rows with a delay of 100 ms, no waits;
// the device notes when each row's first byte arrives. The figure is the gap between two rows
// minus the 100 ms asked for. With --load a spinning process runs beside it the whole time.

#include "bench/counting_terminal.h"
#include "bench/cpu_load.h"
#include "bench/pty_device.h"
#include "e2e/engine_rig.h"

#include <QCoreApplication>
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
    CountingTerminal terminal;
    test::EngineRig rig(terminal);
    for (int i = 0; i < SendTable::kRowCount; ++i)
        rig.SetRow(i, u"ROW", WaitKind::None, kDelayMs);
    rig.run().cyclic = true;
    if (!device.ok() || rig.Open(device.portPath()) != 0) {
        std::printf("cannot open the pseudo-terminal\n");
        return 1;
    }
    std::vector<int64_t> arrivals;
    bool deviceDone = false;
    std::thread deviceThread([&] {
        arrivals = RowArrivals(device, kGaps + 1);
        deviceDone = true;
    });
    rig.engine().OnSend();
    rig.RunUntil([&] { return rig.writes() >= 2 * (kGaps + 1); }, 60'000);
    rig.engine().OnStop();
    deviceThread.join();

    std::vector<double> errors;
    for (std::size_t i = 1; i < arrivals.size(); ++i)
        errors.push_back(static_cast<double>(arrivals[i] - arrivals[i - 1]) / 1e6 - kDelayMs);
    const Spread spread = SpreadOf(errors);
    std::printf("delay accuracy, rows with delay %d ms, %zu gaps%s\n", kDelayMs, spread.count,
                neighbour.running() ? ", one spinning process beside it" : "");
    std::printf("gap - %d ms: median %.3f ms (goal <= 0.2), p99 %.3f ms (goal <= 2)\n", kDelayMs,
                spread.median, spread.p99);
    return deviceDone ? 0 : 1;
}
