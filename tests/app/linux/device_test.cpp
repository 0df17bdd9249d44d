#include "app/command_ids.h"
#include "app/main_window_rig.h"
#include "buttons/button_array_ids.h"
#include "buttons/dialog_button_array.h"
#include "platform/realtime_priority.h"
#include "serial/connection_status.h"
#include "serial/dialogs/com_select_dlg.h"
#include "serial/dialogs/port_dialog_ids.h"
#include "support/file_text.h"
#include "support/modal_helper.h"
#include "support/sim_process.h"
#include "support/wait_until.h"
#include "support/widgets/run_until.h"
#include "terminal/dialog_terminal.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <sched.h>
#include <thread>
#include <unistd.h>

namespace wirevane {
namespace {

using namespace command;
using test::RunUntil;
using Ids = std::vector<int>;

// The main window against the device simulator, announced in a ports folder of the test's own
// and chosen through the real selection dialog from the main window's connect command.
class MainWindowWithDevice : public ::testing::Test {
protected:
    void Start(std::vector<std::string> simArgs)
    {
        const std::string ports = (portsDir / "ports").string();
        setenv("WIREVANE_PORTS_DIR", ports.c_str(), 1);
        simArgs.insert(simArgs.end(), {"--ports-dir", ports, "--log", log.string()});
        sim = std::make_unique<test::SimProcess>(simArgs);
        ASSERT_TRUE(sim->started());
        CWirevaneDlg& window = rig.Start(ConnectionManager::SystemPorts);
        test::WhenModal<CComSelectDlg>([](CComSelectDlg* dialog) {
            QTest::mouseClick(
                dialog->findChild<QPushButton*>(QString::number(port_dialog::kOkButton)),
                Qt::LeftButton);
        });
        window.Trigger(kConnect);
        ASSERT_TRUE(window.port().IsOpen());
    }
    ~MainWindowWithDevice() override { unsetenv("WIREVANE_PORTS_DIR"); }

    std::string Received() const { return test::FileText(log); }

    test::TempDir portsDir;
    std::filesystem::path log = portsDir / "received.bin";
    std::unique_ptr<test::SimProcess> sim;
    test::MainWindowRig rig;
};

TEST_F(MainWindowWithDevice, AButtonLoadsItsTableAndTheDeviceReceivesTheRows)
{
    Start({"--lines", "--reply", "OK", "--reply-end", "cr"});
    CWirevaneDlg& window = rig.window();
    EXPECT_TRUE(window.statusText().startsWith(QStringLiteral("接続 ")));
    EXPECT_EQ(window.terminal().StatusText(), window.statusText());
    EXPECT_EQ(test::EnabledOf(window.commands(), {kConnect, kDisconnect, kSendBreak}),
              (Ids{kDisconnect, kSendBreak}));

    rig.WriteFile("table.ini", "[CONSOLE]\nTERNINATOR=1\n"
                               "[DATA_INDEX0]\nSELECT=1\nDATA=ROW1\nWAIT_RX=1\nDELAY=0\n"
                               "[DATA_INDEX1]\nSELECT=1\nDATA=ROW2\nWAIT_RX=1\nDELAY=0\n");
    CDialogButtonArray& buttons = window.buttonArray();
    buttons.buttonFile().buttonSlots[0] = ButtonSlot{u"./table.ini", u"table"};
    buttons.RelabelButtons();
    ASSERT_EQ(buttons.buttonFile().loadAndSend, 1);
    QTest::mouseClick(
        buttons.findChild<QPushButton*>(QString::number(button_array::kSlotButtons[0])),
        Qt::LeftButton);

    ASSERT_TRUE(RunUntil([&] { return Received() == "ROW1\rROW2\r"; })) << Received();
    ASSERT_TRUE(RunUntil([&] { return !window.run().running; }));
    EXPECT_EQ(window.table().grid().GetCellImage(1, SendTable::kNumberColumn), kRowImageSent);
    EXPECT_EQ(buttons.StatusText(), QStringLiteral("ROW2    送信済"));
    EXPECT_TRUE(window.commands().isEnabled(kSend));
}

// A loaded file that names only the speed keeps the open port's name, and the status line of
// both windows shows what the port really has.
TEST_F(MainWindowWithDevice, LoadingAFileKeepsThePortSettingsItDoesNotName)
{
    Start({"--lines"});
    CWirevaneDlg& window = rig.window();
    CSerialMFC& port = window.port();
    const std::u16string name = port.DeviceName();

    rig.WriteFile("Temporally.ini", "[SERIAL]\nBAUD=19200\n"
                                    "[DATA_INDEX0]\nDATA=first\n");
    window.Trigger(kTemporaryLoad);
    EXPECT_EQ(window.table().grid().GetCellText(0, SendTable::kDataColumn), u"first");
    EXPECT_EQ(port.GetBaudRate(), 19200u);
    EXPECT_EQ(port.DeviceName(), name);
    EXPECT_EQ(window.statusText(), QString::fromStdU16String(ConnectedStatusText(
                                       port.DeviceName(), port.GetBaudRate(), port.GetDataBits(),
                                       port.GetStopBits(), port.GetParity())));
    EXPECT_EQ(window.terminal().StatusText(), window.statusText());
}

// The device answers, but never with the CR the row waits for; the window's time-out ends the
// wait on its own timer.
TEST_F(MainWindowWithDevice, AnAnswerThatDoesNotComeInTimeStopsTheRunOnItsRow)
{
    Start({"--lines", "--reply", "busy", "--reply-end", "none"});
    CWirevaneDlg& window = rig.window();
    test::AnswerTimeoutDialog(200);
    window.Trigger(kAnswerTimeout);
    window.table().rows()[0] = SendRow{1, u"PING", WaitKind::Cr, 0, 0};
    window.table().RewriteFromRows();

    window.Trigger(kSend);
    const std::u16string report = u"[No answer to row 0 within 200 ms.]\n";
    ASSERT_TRUE(RunUntil([&] { return window.terminal().edit().LineFormText().ends_with(report); }))
        << QString::fromStdU16String(window.terminal().edit().LineFormText()).toStdString();
    // How the engine stops on the row is its own test's; the window must keep the port.
    EXPECT_TRUE(window.port().IsOpen());
}

TEST_F(MainWindowWithDevice, ADeviceThatHangsUpMidRunEndsTheRunAndTheConnection)
{
    Start({"--lines", "--reply", "late", "--reply-end", "none", "--close-after", "5"});
    CWirevaneDlg& window = rig.window();
    const std::u16string name = PortNameOf(window.port().DeviceName());
    window.table().rows()[0] = SendRow{1, u"PING", WaitKind::Cr, 0, 0};
    window.table().rows()[1] = SendRow{1, u"NEVER", WaitKind::None, 0, 0};
    window.table().RewriteFromRows();

    window.Trigger(kSend);
    ASSERT_TRUE(RunUntil([&] { return !window.port().IsOpen(); }));
    const std::u16string lost = u"[Connection to " + name + u" lost.]\n";
    ASSERT_TRUE(RunUntil([&] { return window.terminal().edit().LineFormText().ends_with(lost); }));
    // The hang-up is said once, by the loss line, not also as errors of the line.
    const std::u16string text = window.terminal().edit().LineFormText();
    EXPECT_EQ(text.find(u"[An internal error occurred.]"), std::u16string::npos);
    EXPECT_EQ(text.find(u"[A line-status error occurred.]"), std::u16string::npos);
    EXPECT_EQ(window.statusText(), QStringLiteral("未接続"));
    EXPECT_EQ(window.terminal().StatusText(), QStringLiteral("未接続"));
    EXPECT_FALSE(window.run().running);
    EXPECT_EQ(test::EnabledOf(window.commands(), {kSend, kConnect, kDisconnect}),
              (Ids{kSend, kConnect}));
    EXPECT_TRUE(window.terminal().findChild<QAction*>(QString::number(kConnect))->isEnabled());
    EXPECT_EQ(sim->WaitForExit(), 0);
}

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

// Whether this process holds a request that keeps the idle processors awake.
bool HoldsAwakeProcessors()
{
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(fd.path(), error) == "/dev/cpu_dma_latency")
            return true;
    }
    return false;
}

bool SystemGrantsRealtime()
{
    bool granted = false;
    std::thread probe([&] { granted = !platform::RaiseToRealtime().has_value(); });
    probe.join();
    return granted;
}

// With the option on, a run's window thread and the port's event thread hold realtime priority
// from Send to Stop, with the idle processors kept awake where the system lets the program ask,
// and nothing of the program holds either once the run is over.
TEST_F(MainWindowWithDevice, RealtimeIsHeldByTheWindowAndEventThreadsOnlyWhileTheTableRuns)
{
    if (!SystemGrantsRealtime())
        GTEST_SKIP() << "the system grants no realtime priority here";
    Start({"--lines"});
    CWirevaneDlg& window = rig.window();
    window.commands().action(kRealtime)->trigger();
    EXPECT_NE(rig.ReadFile("Wirevane.ini").find("[WIREVANE]\r\nREALTIME=1\r\n"), std::string::npos);
    EXPECT_EQ(RealtimeThreads(), 0) << "an idle window holds none";
    EXPECT_FALSE(HoldsAwakeProcessors());
    const bool awakeGranted = access("/dev/cpu_dma_latency", W_OK) == 0;

    window.table().rows()[0] = SendRow{1, u"TICK", WaitKind::None, 0, 50};
    window.table().RewriteFromRows();
    window.run().cyclic = true;
    window.Trigger(kSend);
    ASSERT_TRUE(window.run().running);
    EXPECT_TRUE(test::WaitUntil([] { return RealtimeThreads() == 2; })) << RealtimeThreads();
    EXPECT_EQ(HoldsAwakeProcessors(), awakeGranted);

    window.Trigger(kStop);
    EXPECT_FALSE(window.run().running);
    EXPECT_TRUE(test::WaitUntil([] { return RealtimeThreads() == 0; })) << RealtimeThreads();
    EXPECT_FALSE(HoldsAwakeProcessors());
}

} // namespace
} // namespace wirevane
