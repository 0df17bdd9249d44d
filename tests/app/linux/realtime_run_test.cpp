#include "app/command_ids.h"
#include "app/main_window_rig.h"
#include "platform/realtime_priority.h"
#include "serial/dialogs/com_select_dlg.h"
#include "serial/dialogs/port_dialog_ids.h"
#include "support/modal_helper.h"
#include "support/sim_process.h"
#include "support/wait_until.h"
#include "support/widgets/run_until.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <sched.h>
#include <string>
#include <thread>

namespace wirevane {
namespace {

using namespace command;
using test::RunUntil;

// The threads of this process that run in the realtime class now.
int RealtimeThreads()
{
    int count = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        const int policy = sched_getscheduler(std::stoi(task.path().filename().string()));
        if (policy >= 0 && (policy & ~SCHED_RESET_ON_FORK) == SCHED_FIFO)
            ++count;
    }
    return count;
}

bool SystemGrantsRealtime()
{
    bool granted = false;
    std::thread probe([&] { granted = !platform::RaiseToRealtime().has_value(); });
    probe.join();
    return granted;
}

// With the option on, a run's window thread and the port's event thread hold realtime priority
// from Send to Stop, and nothing of the program holds it once the run is over.
TEST(RealtimeRun, TheWindowAndEventThreadsHoldItOnlyWhileTheTableRuns)
{
    if (!SystemGrantsRealtime())
        GTEST_SKIP() << "the system grants no realtime priority here";
    test::TempDir portsDir;
    const std::string ports = (portsDir / "ports").string();
    setenv("WIREVANE_PORTS_DIR", ports.c_str(), 1);
    test::SimProcess sim({"--lines", "--ports-dir", ports});
    ASSERT_TRUE(sim.started());
    test::MainWindowRig rig;
    CWirevaneDlg& window = rig.Start(ConnectionManager::SystemPorts);
    test::WhenModal<CComSelectDlg>([](CComSelectDlg* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(port_dialog::kOkButton)),
                          Qt::LeftButton);
    });
    window.Trigger(kConnect);
    unsetenv("WIREVANE_PORTS_DIR");
    ASSERT_TRUE(window.port().IsOpen());

    window.commands().action(kRealtime)->trigger();
    EXPECT_NE(rig.ReadFile("Wirevane.ini").find("[WIREVANE]\r\nREALTIME=1\r\n"), std::string::npos);
    EXPECT_EQ(RealtimeThreads(), 0) << "an idle window holds none";

    window.table().rows()[0] = SendRow{1, u"TICK", WaitKind::None, 0, 50};
    window.table().RewriteFromRows();
    window.run().cyclic = true;
    window.Trigger(kSend);
    ASSERT_TRUE(window.run().running);
    EXPECT_TRUE(test::WaitUntil([] { return RealtimeThreads() == 2; })) << RealtimeThreads();

    window.Trigger(kStop);
    EXPECT_FALSE(window.run().running);
    EXPECT_TRUE(test::WaitUntil([] { return RealtimeThreads() == 0; })) << RealtimeThreads();
}

} // namespace
} // namespace wirevane
