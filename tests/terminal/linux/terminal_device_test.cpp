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
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using test::RunUntil;
using test::TerminalRig;

std::size_t Count(const std::u16string& text, std::u16string_view part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::u16string::npos;
         at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// A simulator announced in a folder of the test's own, connected through the terminal's
// connect command and the real selection dialog.
class TerminalWithDevice : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& simArgs)
    {
        const std::string ports = (portsDir / "ports").string();
        setenv("WIREVANE_PORTS_DIR", ports.c_str(), 1);
        std::vector<std::string> args = simArgs;
        args.insert(args.end(), {"--ports-dir", ports});
        sim = std::make_unique<test::SimProcess>(args);
        ASSERT_TRUE(sim->started());
        test::WhenModal<CComSelectDlg>([](CComSelectDlg* dialog) {
            QTest::mouseClick(
                dialog->findChild<QPushButton*>(QString::number(port_dialog::kOkButton)),
                Qt::LeftButton);
        });
        Action(terminal::kConnect)->trigger();
        ASSERT_TRUE(rig.port().IsOpen());
    }
    ~TerminalWithDevice() override { unsetenv("WIREVANE_PORTS_DIR"); }

    QAction* Action(int id) { return rig.terminal().findChild<QAction*>(QString::number(id)); }
    std::u16string Text() { return rig.terminal().edit().LineFormText(); }

    test::TempDir portsDir;
    std::unique_ptr<test::SimProcess> sim;
    TerminalRig rig;
};

TEST_F(TerminalWithDevice, FiveRowTableShowsSendsAnswersAndMarkersInDetailDisplay)
{
    Start({"--lines", "--reply", "OK", "--reply-end", "cr"});
    rig.run().detailView = true;
    rig.run().lineEnd = LineEndSuffix::Cr;
    for (int row = 0; row < 5; ++row)
        rig.SetRow(row, u"CMD" + std::u16string(1, char16_t(u'0' + row)), WaitKind::Cr, 0);
    rig.terminal()
        .findChild<QComboBox*>(QString::number(terminal::kReceiveConversionCombo))
        ->setCurrentIndex(1);

    rig.engine().OnSend();
    ASSERT_TRUE(RunUntil([&] { return !rig.run().running; }));
    ASSERT_TRUE(RunUntil([&] { return Count(Text(), u"<受信済>\r\n") == 5; }));
    const std::u16string text = Text();
    EXPECT_EQ(Count(text, u"<送信済>\r\n"), 5u);
    EXPECT_EQ(Count(text, u"<受信待>\r\n"), 5u);
    EXPECT_EQ(Count(text, u"OK\r\n"), 5u) << "CR answers shown as whole lines";
    std::size_t at = 0;
    for (int row = 0; row < 5; ++row) {
        const std::u16string echo = u"CMD" + std::u16string(1, char16_t(u'0' + row));
        const std::size_t sent = text.find(echo, at);
        ASSERT_NE(sent, std::u16string::npos) << row;
        const std::size_t answer = text.find(u"OK", sent);
        const std::size_t received = text.find(u"<受信済>", sent);
        ASSERT_NE(answer, std::u16string::npos);
        EXPECT_LT(answer, received) << "the answer comes before its marker";
        at = received;
    }
}

TEST_F(TerminalWithDevice, TesterModeFromTheMenuShowsTheMetersReadings)
{
    Start({"--meter", "--reading", "DC 04.71 kohm", "--rate", "50"});
    Action(terminal::kTesterMode)->trigger();
    ASSERT_TRUE(rig.run().testerMode);
    EXPECT_TRUE(Action(terminal::kTesterMode)->isChecked());
    const std::u16string line = u"14 27 3D 42 57 69 75 80 95 A2 B0 C4 D0 E0 \r\nDC 04.71 k ohm\r\n";
    EXPECT_TRUE(RunUntil([&] { return Count(Text(), line) >= 2; }))
        << QString::fromStdU16String(Text()).toStdString();
    Action(terminal::kTesterMode)->trigger();
    EXPECT_FALSE(rig.run().testerMode);
}

// Two devices on pseudo-terminals, one after the other, as a user switches between them.
class DeviceSwitch : public ::testing::Test {
protected:
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

    TerminalRig rig;
    test::PtyPair first;
};

// A meter's frames end in E0, a Shift_JIS lead byte that waits for its trail byte. Whether the
// first device is disconnected or lost, that byte is not shown as part of the next device's
// first answer.
TEST_F(DeviceSwitch, ALeadByteHeldFromOneDeviceNeverJoinsTheNextDevicesText)
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
TEST_F(DeviceSwitch, TheStatusAndTheLossLineNameTheOpenPortNotALoadedOne)
{
    Open(first);
    rig.port().SetDeviceName(u"\\\\.\\COM3");
    rig.connection().ShowConnectionState();
    EXPECT_TRUE(rig.terminal().StatusText().startsWith(
        QString::fromStdU16String(u"接続 " + PortNameOf(first.slavePathU16()) + u": ")))
        << rig.terminal().StatusText().toStdString();

    first.CloseMaster();
    ASSERT_TRUE(RunUntil([&] { return !rig.port().IsOpen(); }));
    EXPECT_EQ(Text(), LostLine(first));
    EXPECT_EQ(rig.port().DeviceName(), u"\\\\.\\COM3");
}

} // namespace
} // namespace wirevane
