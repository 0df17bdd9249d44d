#include "serial/connection_status.h"
#include "support/pty_pair.h"
#include "support/widgets/run_until.h"
#include "terminal/terminal_ids.h"
#include "terminal/terminal_rig.h"

#include <QAction>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using test::RunUntil;
using test::TerminalRig;

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
