#include "connection/main_port.h"
#include "platform/serial_codes.h"
#include "serial/connection_status.h"
#include "serial/dialogs/com_select_dlg.h"
#include "serial/dialogs/port_dialog_ids.h"
#include "support/modal_helper.h"
#include "support/pty_pair.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "support/widgets/run_until.h"
#include "terminal/terminal_ids.h"
#include "terminal/terminal_rig.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using test::RunUntil;

// Simulators announced in a folder of the test's own: one that hangs up, then a new one under
// the same name, as an adapter that is unplugged and plugged back. Or two devices on
// pseudo-terminals, one after the other, as a user switches between them.
class DeviceChange : public ::testing::Test {
protected:
    DeviceChange() { setenv("WIREVANE_PORTS_DIR", ports.c_str(), 1); }
    ~DeviceChange() override { unsetenv("WIREVANE_PORTS_DIR"); }

    std::unique_ptr<test::SimProcess> StartSim(std::vector<std::string> args)
    {
        args.insert(args.end(), {"--ports-dir", ports});
        auto sim = std::make_unique<test::SimProcess>(args);
        EXPECT_TRUE(sim->started());
        return sim;
    }
    void Connect()
    {
        test::WhenModal<CComSelectDlg>([](CComSelectDlg* dialog) {
            QTest::mouseClick(
                dialog->findChild<QPushButton*>(QString::number(port_dialog::kOkButton)),
                Qt::LeftButton);
        });
        rig.connection().Connect(&rig.terminal());
        ASSERT_TRUE(rig.port().IsOpen());
    }
    // The device hangs up once it has the first row, whose answer never comes.
    void LoseTheDeviceMidRun(test::SimProcess& sim)
    {
        rig.SetRow(0, u"PING", WaitKind::Cr, 0);
        rig.SetRow(1, u"NEVER", WaitKind::None, 0);
        rig.engine().OnSend();
        ASSERT_TRUE(RunUntil([&] { return !rig.port().IsOpen(); }));
        EXPECT_EQ(sim.WaitForExit(), 0);
        EXPECT_FALSE(rig.run().running);
    }
    void Open(test::PtyPair& device)
    {
        rig.port().SetDeviceName(device.slavePathU16());
        ASSERT_TRUE(rig.connection().OpenSelected());
    }
    std::u16string Text() { return rig.terminal().edit().LineFormText(); }
    std::u16string LostLine(const test::PtyPair& device)
    {
        return u"[Connection to " + PortNameOf(device.slavePathU16()) + u" lost.]\n";
    }

    test::TempDir dir;
    std::string ports = (dir / "ports").string();
    test::TerminalRig rig;
};

TEST_F(DeviceChange, TheDeviceBackUnderItsNameIsReopenedWithItsLineAndTheRunStaysStopped)
{
    rig.connection().SetAutoReconnect(true);
    auto first =
        StartSim({"--lines", "--reply", "par", "--reply-end", "none", "--close-after", "5"});
    Connect();
    const std::u16string name = PortNameOf(rig.port().DeviceName());
    ASSERT_EQ(rig.port().SetLineSettings(57600, 8, NOPARITY, TWOSTOPBITS), 0u);
    ASSERT_EQ(rig.port().SetHandshake(HandshakeSoftware), 0u);
    ASSERT_EQ(rig.port().SetEventMask(EV_BREAK | EV_ERR | EV_RXCHAR | EV_TXEMPTY), 0u);
    LoseTheDeviceMidRun(*first);
    EXPECT_TRUE(rig.connection().IsWatchingForDevice());
    EXPECT_EQ(rig.terminal().StatusText(), QStringLiteral("未接続"));

    auto second = StartSim({"--echo"});
    const std::u16string report = u"[Reconnected to " + name + u".]";
    ASSERT_TRUE(RunUntil([&] { return Text().ends_with(report + u"\n"); }))
        << QString::fromStdU16String(Text()).toStdString();
    EXPECT_TRUE(rig.port().IsOpen());
    EXPECT_FALSE(rig.connection().IsWatchingForDevice());
    EXPECT_FALSE(rig.run().running) << "the run the loss stopped stays stopped";
    EXPECT_EQ(rig.terminal().StatusText().toStdU16String(),
              u"接続 " + name + u": 57600BPS-8BIT-2STOP-NOPARITY  " + report);
    EXPECT_EQ(rig.port().GetHandshake(), HandshakeSoftware);
    EXPECT_EQ(rig.port().GetEventMask(), EV_BREAK | EV_ERR | EV_RXCHAR | EV_TXEMPTY);
    const std::u16string text = Text();
    EXPECT_LT(text.find(u"[Connection to " + name + u" lost.]\n"), text.find(report));

    // The new device is the one the port now talks to. The word that the bytes are out may come
    // before its echo or after it.
    ASSERT_EQ(rig.port().Write("hi", 2), 0u);
    EXPECT_TRUE(RunUntil([&] { return Text().find(u"hi", text.size()) != std::u16string::npos; }))
        << QString::fromStdU16String(Text()).toStdString();
}

// A simulator killed outright leaves its link behind, and the pseudo-terminal it pointed at
// goes to the next program that opens one: that program's terminal is never reconnected to.
TEST_F(DeviceChange, AKilledSimulatorsLinkIsNotFollowedToAnotherProgramsTerminal)
{
    rig.connection().SetAutoReconnect(true);
    auto killed = StartSim({"--echo"});
    Connect();
    const std::filesystem::path link = killed->devicePath();
    killed->Signal(SIGKILL);
    killed->WaitForExit();
    ASSERT_TRUE(RunUntil([&] { return !rig.port().IsOpen(); }));
    ASSERT_TRUE(rig.connection().IsWatchingForDevice());

    test::PtyPair stranger;
    std::filesystem::remove(link);
    std::filesystem::create_symlink(stranger.slavePath(), link);
    EXPECT_FALSE(rig.connection().LookForLostDevice());
    EXPECT_FALSE(rig.port().IsOpen());
    EXPECT_TRUE(rig.connection().IsWatchingForDevice());
    EXPECT_EQ(Text().find(u"[Reconnected"), std::u16string::npos);

    // The next simulator takes the stale name over, and it is the one reconnected to.
    auto next = StartSim({"--echo"});
    EXPECT_EQ(next->devicePath(), link.string());
    ASSERT_TRUE(RunUntil([&] { return Text().ends_with(u"[Reconnected to wvsim0.]\n"); }))
        << QString::fromStdU16String(Text()).toStdString();
    ASSERT_EQ(rig.port().Write("hi", 2), 0u);
    EXPECT_TRUE(RunUntil([&] { return Text().ends_with(u"hi"); }));
    EXPECT_EQ(stranger.ReadMasterAvailable(), "");
}

TEST_F(DeviceChange, OffByDefaultAndEndedByTurningItOffOrByConnecting)
{
    // Each loss is of a device of its own, kept alive to the end so its name stays taken.
    const auto loseAnother = [this] {
        auto sim = StartSim({"--lines", "--reply-end", "none", "--close-after", "5"});
        Connect();
        LoseTheDeviceMidRun(*sim);
        return sim;
    };
    const auto first = loseAnother();
    EXPECT_FALSE(rig.connection().IsWatchingForDevice());

    rig.connection().SetAutoReconnect(true);
    const auto second = loseAnother();
    ASSERT_TRUE(rig.connection().IsWatchingForDevice());
    rig.connection().SetAutoReconnect(false);
    EXPECT_FALSE(rig.connection().IsWatchingForDevice());

    rig.connection().SetAutoReconnect(true);
    const auto third = loseAnother();
    ASSERT_TRUE(rig.connection().IsWatchingForDevice());
    // Nothing to reopen: the simulator's name is gone with it.
    EXPECT_FALSE(rig.connection().LookForLostDevice());
    rig.connection().Disconnect();
    EXPECT_FALSE(rig.connection().IsWatchingForDevice());
}

// The line a reconnect puts back on a device that came back. A part the device refuses must
// leave the port with the whole line it had, not with the parts set before the refusal.
TEST(MainPortLine, ARefusedPartLeavesTheWholeLineAsItWas)
{
    // What the device refuses, and the line wanted.
    const std::pair<const char*, SerialLine> cases[] = {
        {"an unknown handshake", {{19200, 8, NOPARITY, TWOSTOPBITS}, 7, EV_RXCHAR, 'A'}},
        {"parity, which a pty drops",
         {{19200, 8, EVENPARITY, ONESTOPBIT}, HandshakeSoftware, EV_RXCHAR, 'A'}},
    };
    for (const auto& [refused, wanted] : cases) {
        SCOPED_TRACE(refused);
        test::PtyPair pty;
        MainPort port;
        ASSERT_EQ(port.Open(pty.slavePathU16(), static_cast<QObject*>(nullptr)), 0u);
        const std::optional<SerialLine> before = ReadSerialLine(port);
        ASSERT_TRUE(before);
        EXPECT_NE(port.RestoreLine(wanted), 0u);
        EXPECT_EQ(ReadSerialLine(port), before);
        EXPECT_EQ(port.RememberedLine(), before);
    }
}

// A meter's frames end in E0, a Shift_JIS lead byte that waits for its trail byte. Whether the
// first device is disconnected or lost, that byte is not shown as part of the next device's
// first answer.
TEST_F(DeviceChange, ALeadByteHeldFromOneDeviceNeverJoinsTheNextDevicesText)
{
    for (const bool lost : {false, true}) {
        test::PtyPair meter;
        test::PtyPair other;
        rig.terminal().ClearText();
        Open(meter);
        meter.WriteMaster("12\xE0");
        ASSERT_TRUE(RunUntil([&] { return Text() == u"12" && meter.SlaveInputPending() == 0; }));
        if (lost)
            meter.CloseMaster();
        else
            rig.terminal().findChild<QAction*>(QString::number(terminal::kDisconnect))->trigger();
        ASSERT_TRUE(RunUntil([&] { return !rig.port().IsOpen(); }));
        const std::u16string between = lost ? LostLine(meter) : u"";

        Open(other);
        other.WriteMaster("ZY");
        ASSERT_TRUE(RunUntil([&] { return Text().ends_with(u"Y"); }));
        EXPECT_EQ(Text(), u"12" + between + u"ZY") << lost;
        rig.connection().Disconnect();
    }
}

// A settings file loaded while connected names its port for the next connect; the status line
// and a later loss still name the port that is open.
TEST_F(DeviceChange, TheStatusAndTheLossLineNameTheOpenPortNotALoadedOne)
{
    test::PtyPair firstDevice;
    Open(firstDevice);
    rig.port().SetDeviceName(u"\\\\.\\COM3");
    rig.connection().ShowConnectionState();
    EXPECT_TRUE(rig.terminal().StatusText().startsWith(
        QString::fromStdU16String(u"接続 " + PortNameOf(firstDevice.slavePathU16()) + u": ")))
        << rig.terminal().StatusText().toStdString();

    firstDevice.CloseMaster();
    ASSERT_TRUE(RunUntil([&] { return !rig.port().IsOpen(); }));
    EXPECT_EQ(Text(), LostLine(firstDevice));
    EXPECT_EQ(rig.port().DeviceName(), u"\\\\.\\COM3");
}

} // namespace
} // namespace wirevane
