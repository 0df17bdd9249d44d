#include "e2e/qt_engine_rig.h"
#include "support/file_text.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "support/widgets/run_until.h"

#include <gtest/gtest.h>
#include <string>

namespace wirevane::test {
namespace {

TEST(EngineEndToEnd, FiveRowsWithCrWaitsRunToTheEndAndTheDeviceGetsExactlyTheRows)
{
    TempDir dir;
    const std::string log = (dir / "received.log").string();
    SimProcess sim({"--lines", "--reply", "OK", "--reply-end", "cr", "--log", log});
    ASSERT_TRUE(sim.started());
    QtEngineRig<> rig;
    rig.SetRow(0, u"AT", WaitKind::Cr, 0);
    rig.SetRow(1, u"SET 1", WaitKind::Cr, 5);
    rig.SetRow(3, u"\\x02GET\\x03", WaitKind::Cr, 0);
    rig.SetRow(4, u"あ", WaitKind::Cr, 0);
    rig.SetRow(7, u"END", WaitKind::Cr, 0);
    ASSERT_EQ(rig.Open(sim.devicePath()), 0u);

    rig.engine.OnSend();
    ASSERT_TRUE(test::RunEventsUntil([&] { return !rig.run.running; }, 10'000))
        << "device received: " << test::FileText(log);

    const std::string expected = "AT\rSET 1\r\x02GET\x03\r\x82\xA0\rEND\r";
    ASSERT_TRUE(
        test::RunEventsUntil([&] { return test::FileText(log).size() >= expected.size(); }, 5'000));
    EXPECT_EQ(test::FileText(log), expected);
    EXPECT_TRUE(rig.run.endReached);
    EXPECT_EQ(rig.run.currentRow, 0);
    for (int row : {0, 1, 3, 4, 7})
        EXPECT_EQ(rig.Image(row), kRowImageSent) << row;
    EXPECT_EQ(rig.terminal.text(), u"OK\rOK\rOK\rOK\rOK\r");
    EXPECT_EQ(rig.port.lastReadError, 0u);
}

} // namespace
} // namespace wirevane::test
