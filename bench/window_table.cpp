// A 100-row question-and-answer table run by the main window itself against the device
// simulator, its windows shown (offscreen): the grid's markers, the terminal and the status
// lines paint as they do for a user. The figures are rows a second over the whole table, to set
// beside bench_sim_table's (the same table on the engine over a table in memory), and the
// processor time the window's process spends on a row.

#include "app/command_ids.h"
#include "app/main_window_rig.h"
#include "bench/pty_device.h"
#include "serial/dialogs/com_select_dlg.h"
#include "serial/dialogs/port_dialog_ids.h"
#include "support/modal_helper.h"
#include "support/sim_process.h"
#include "support/widgets/run_until.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

using namespace wirevane;
using namespace wirevane::bench;

namespace {

constexpr int kRows = 100;
constexpr int kRuns = 9;

// All of this process's threads: the window's and the port's.
double ProcessCpuUs()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) * 1e6 + static_cast<double>(used.tv_nsec) / 1e3;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    test::TempDir portsDir;
    const std::string ports = (portsDir / "ports").string();
    setenv("WIREVANE_PORTS_DIR", ports.c_str(), 1);
    test::SimProcess sim({"--lines", "--reply", "OK", "--reply-end", "cr", "--ports-dir", ports});
    test::MainWindowRig rig;
    CWirevaneDlg& window = rig.Start(ConnectionManager::SystemPorts);
    window.show();
    test::WhenModal<CComSelectDlg>([](CComSelectDlg* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(port_dialog::kOkButton)),
                          Qt::LeftButton);
    });
    window.Trigger(command::kConnect);
    if (!sim.started() || !window.port().IsOpen()) {
        std::printf("cannot start the simulator or open its port\n");
        return 1;
    }
    window.run().lineEnd = LineEndSuffix::Cr;
    for (int i = 0; i < kRows; ++i)
        window.table().rows()[static_cast<std::size_t>(i)] =
            SendRow{1, u"MEAS?", WaitKind::Cr, 0, 0};
    window.table().RewriteFromRows();
    std::vector<double> rates;
    std::vector<double> cpuPerRow;
    for (int run = 0; run < kRuns; ++run) {
        const double cpuBefore = ProcessCpuUs();
        const int64_t start = NowNs();
        window.Trigger(command::kSend);
        const bool finished = test::RunEventsUntil([&] { return !window.run().running; }, 60'000);
        if (!finished) {
            std::printf("the table did not finish within a minute\n");
            return 1;
        }
        rates.push_back(kRows / (static_cast<double>(NowNs() - start) / 1e9));
        cpuPerRow.push_back((ProcessCpuUs() - cpuBefore) / kRows);
    }
    const Spread spread = SpreadOf(rates);
    std::printf("%d-row table run by the main window against wirevane-sim, %zu runs\n", kRows,
                spread.count);
    std::printf("rows per second: median %.0f, slowest %.0f\n", spread.median,
                *std::min_element(rates.begin(), rates.end()));
    std::printf("processor time of the window's process per row: median %.0f us\n",
                SpreadOf(cpuPerRow).median);
    rig.Stop();
    unsetenv("WIREVANE_PORTS_DIR");
    return 0;
}
