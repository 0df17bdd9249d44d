// A 100-row question-and-answer table against the device simulator, as a user runs one: each
// row waits for the device's CR-ended answer before the next goes. The figure is rows a second
// over the whole table, the engine and the port chain on the Qt event loop as in the window.
// With --realtime each run takes what the window's realtime option gives a run: the priority and
// the idle processors kept awake.

#include "bench/bench_flags.h"
#include "bench/counting_terminal.h"
#include "bench/pty_device.h"
#include "e2e/qt_engine_rig.h"
#include "serial/run_priority.h"
#include "support/sim_process.h"
#include "support/widgets/run_until.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace wirevane;
using namespace wirevane::bench;

namespace {

constexpr int kRows = 100;
constexpr int kRuns = 9;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    test::SimProcess sim({"--lines", "--reply", "OK", "--reply-end", "cr"});
    test::QtEngineRig<CountingTerminal> rig;
    for (int i = 0; i < kRows; ++i)
        rig.SetRow(i, u"MEAS?", WaitKind::Cr, 0);
    if (!sim.started() || rig.Open(sim.devicePath()) != 0) {
        std::printf("cannot start the simulator or open its port\n");
        return 1;
    }
    RunPriority priority(rig.port.serial);
    priority.SetAllowed(FlagGiven(argc, argv, "--realtime"));
    std::vector<double> rates;
    for (int run = 0; run < kRuns; ++run) {
        const int64_t start = NowNs();
        const RunPriorityRefusals refusals = priority.RunChanged(true);
        if (refusals.priority || refusals.awakeProcessors)
            std::printf(
                "refused: %s\n",
                (refusals.priority ? refusals.priority : refusals.awakeProcessors)->reason.c_str());
        rig.engine.OnSend();
        const bool finished = test::RunEventsUntil([&] { return !rig.run.running; }, 60'000);
        priority.RunChanged(false);
        if (!finished) {
            std::printf("the table did not finish within a minute\n");
            return 1;
        }
        rates.push_back(kRows / (static_cast<double>(NowNs() - start) / 1e9));
    }
    const Spread spread = SpreadOf(rates);
    std::printf("%d-row table against wirevane-sim, each row waiting for its answer, %zu runs%s\n",
                kRows, spread.count, priority.allowed() ? ", realtime option on" : "");
    std::printf("rows per second: median %.0f, slowest %.0f\n", spread.median,
                *std::min_element(rates.begin(), rates.end()));
    return 0;
}
