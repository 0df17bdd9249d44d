#include "e2e/qt_engine_rig.h"
#include "support/posted_event_counter.h"
#include "support/pty_pair.h"
#include "support/widgets/run_until.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <gtest/gtest.h>
#include <string>
#include <termios.h>

namespace wirevane::test {
namespace {

using namespace std::chrono_literals;

// The engine, the port chain and a pty whose output the device side suspends, as XOFF does.
class HeldLineRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.SetRow(0, u"AT", WaitKind::None, 0);
        rig.SetRow(1, u"GO", WaitKind::None, 0);
        ASSERT_EQ(rig.Open(pty.slavePath()), 0u);
        ASSERT_EQ(tcflow(pty.slave(), TCOOFF), 0);
    }

    PtyPair pty;
    QtEngineRig<> rig;
};

TEST_F(HeldLineRun, TheWindowAnswersWhileARowIsHeldAndTheRowIsSentWhenReleased)
{
    rig.engine.OnSend();
    ASSERT_TRUE(test::RunEventsUntil([&] { return rig.engine.IsWriting(); }, 5'000));
    const uint8_t key[] = {'k'};
    rig.port.access.Write(key); // typed while the row is held

    // The line stays held until released below, so an answer at all shows the loop is free.
    PostedEventCounter responder;
    QCoreApplication::postEvent(&responder, new QEvent(QEvent::User));
    ASSERT_TRUE(test::RunEventsUntil([&] { return responder.answered == 1; }, 1'000));
    EXPECT_TRUE(rig.engine.IsWriting());
    EXPECT_NE(rig.Image(0), kRowImageSent);
    EXPECT_EQ(rig.run.currentRow, 0);

    ASSERT_EQ(tcflow(pty.slave(), TCOON), 0);
    ASSERT_TRUE(test::RunEventsUntil([&] { return !rig.run.running; }, 10'000));
    EXPECT_EQ(pty.ReadMaster(7), "AT\rkGO\r");
    EXPECT_EQ(rig.Image(0), kRowImageSent);
    EXPECT_EQ(rig.Image(1), kRowImageSent);
    EXPECT_EQ(rig.terminal.text(), u"");
}

TEST_F(HeldLineRun, ARowHeldPastTheGraceStopsTheRunWithTheReport)
{
    rig.port.serial.SetWriteGrace(100ms);
    rig.engine.OnSend();
    ASSERT_TRUE(test::RunEventsUntil([&] { return !rig.run.running; }, 10'000));
    EXPECT_EQ(rig.Image(0), kRowImageHalt);
    EXPECT_NE(rig.Image(1), kRowImageSent);
    const std::string name = pty.slavePath().substr(pty.slavePath().rfind('/') + 1);
    EXPECT_EQ(rig.terminal.text(), u"[Write to " + std::u16string(name.begin(), name.end()) +
                                       u" timed out: the device holds the line (flow control).]\n");

    ASSERT_EQ(tcflow(pty.slave(), TCOON), 0);
    EXPECT_EQ(pty.ReadMasterAvailable(), "") << "a timed-out row must not leave later";
}

} // namespace
} // namespace wirevane::test
