#include "e2e/engine_rig.h"
#include "fakes/recording_terminal.h"
#include "platform/serial_codes.h"
#include "support/file_text.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace wirevane::test {
namespace {

using namespace std::chrono_literals;

TEST(EngineEndToEnd, FiveRowsWithCrWaitsRunToTheEndAndTheDeviceGetsExactlyTheRows)
{
    TempDir dir;
    const std::string log = (dir / "received.log").string();
    SimProcess sim({"--lines", "--reply", "OK", "--reply-end", "cr", "--log", log});
    ASSERT_TRUE(sim.started());
    RecordingTerminal terminal;
    EngineRig rig(terminal);
    rig.SetRow(0, u"AT", WaitKind::Cr, 0);
    rig.SetRow(1, u"SET 1", WaitKind::Cr, 5);
    rig.SetRow(3, u"\\x02GET\\x03", WaitKind::Cr, 0);
    rig.SetRow(4, u"あ", WaitKind::Cr, 0);
    rig.SetRow(7, u"END", WaitKind::Cr, 0);
    ASSERT_EQ(rig.Open(sim.devicePath()), 0u);

    rig.engine().OnSend();
    ASSERT_TRUE(rig.RunUntil([&] { return !rig.run().running; }, 10'000))
        << "device received: " << test::FileText(log);

    const std::string expected = "AT\rSET 1\r\x02GET\x03\r\x82\xA0\rEND\r";
    ASSERT_TRUE(rig.RunUntil([&] { return test::FileText(log).size() >= expected.size(); }, 5'000));
    EXPECT_EQ(test::FileText(log), expected);
    EXPECT_TRUE(rig.run().endReached);
    EXPECT_EQ(rig.run().currentRow, 0);
    for (int row : {0, 1, 3, 4, 7})
        EXPECT_EQ(rig.grid().GetCellImage(row, SendTable::kNumberColumn), kRowImageSent) << row;
    EXPECT_EQ(terminal.text(), u"OK\rOK\rOK\rOK\rOK\r");
    EXPECT_EQ(rig.lastReadError(), 0u);
}

TEST(EngineEndToEnd, DeviceClosingMidRunEndsCleanly)
{
    // The device hangs up once it has the first row, which waits for an answer that never comes.
    SimProcess sim({"--lines", "--reply", "par", "--reply-end", "none", "--close-after", "5"});
    ASSERT_TRUE(sim.started());
    RecordingTerminal terminal;
    EngineRig rig(terminal);
    rig.SetRow(0, u"PING", WaitKind::Cr, 0);
    rig.SetRow(1, u"NEVER", WaitKind::None, 0);
    ASSERT_EQ(rig.Open(sim.devicePath()), 0u);
    rig.engine().OnSend();

    // The port says once that the device is gone; that is the loss line's to report, not an
    // error of the line.
    ASSERT_TRUE(rig.RunUntil([&] { return ((rig.lastEventWord() >> 16) & CE_IOE) != 0; }, 10'000));
    EXPECT_EQ(terminal.text().find(u"error occurred."), std::u16string::npos);
    EXPECT_EQ(rig.run().waitKind, WaitKind::Cr); // nothing answered the row
    EXPECT_NE(rig.grid().GetCellImage(1, SendTable::kNumberColumn), kRowImageSent);

    // Stop and close as the window does; neither may hang on the dead device.
    const auto start = std::chrono::steady_clock::now();
    rig.engine().OnStop();
    EXPECT_EQ(rig.port().Close(), 0u);
    EXPECT_FALSE(rig.port().IsOpen());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(sim.WaitForExit(), 0);
}

} // namespace
} // namespace wirevane::test
