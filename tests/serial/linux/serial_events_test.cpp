#include "fakes/recording_message_target.h"
#include "serial/serial_wnd.h"
#include "support/pty_pair.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace wirevane {
namespace {

using test::PtyPair;
using test::RecordingMessageTarget;
using test::WaitUntil;

// Shows whether the event thread has ended of its own accord, which the port does not say.
class WatchedPort : public CSerialWnd {
public:
    bool EventThreadEnded() const { return m_threadEnded; }
};

// A port on a fresh pseudo-terminal, posting to a recording target that outlives it.
class SerialNotification : public ::testing::Test {
protected:
    void Open() { ASSERT_EQ(port.Open(pty.slavePathU16(), &target), 0u); }

    PtyPair pty;
    RecordingMessageTarget target;
    WatchedPort port;
};

std::string ReadEverything(CSerial& port, RecordingMessageTarget& target, std::size_t expected)
{
    std::string got;
    for (std::size_t seen = 0; got.size() < expected && target.WaitFor(seen + 1);) {
        seen = target.Messages().size();
        char chunk[255];
        uint32_t count = 0;
        do {
            EXPECT_EQ(port.Read(chunk, sizeof chunk, &count), 0u);
            got.append(chunk, count);
        } while (count == sizeof chunk);
    }
    return got;
}

TEST_F(SerialNotification, ReceivedBytesPostTheEventWordWithTheGivenIdAndParameter)
{
    ASSERT_EQ(port.Open(pty.slavePathU16(), &target, 0, 42), 0u);
    EXPECT_TRUE(port.IsEventThreadRunning());
    pty.WriteMaster("hello");
    ASSERT_TRUE(target.WaitFor(1));
    const auto first = target.Messages().front();
    EXPECT_EQ(first.id, CSerialWnd::DefaultComMessage());
    EXPECT_GE(first.id, 0xC000u);
    EXPECT_EQ(first.first, EV_RXCHAR);
    EXPECT_EQ(first.second, 42);
    port.Close();

    RecordingMessageTarget custom;
    ASSERT_EQ(port.Open(pty.slavePathU16(), &custom, 0x8123, 0), 0u);
    pty.WriteMaster("x");
    ASSERT_TRUE(custom.WaitFor(1));
    EXPECT_EQ(custom.Messages().front().id, 0x8123u);
    port.Close(); // before the target it posts to goes
}

TEST_F(SerialNotification, AnEventOutsideTheMaskPostsNothing)
{
    Open();
    ASSERT_EQ(port.SetEventMask(EV_TXEMPTY), 0u);
    pty.WriteMaster("unseen");
    // Nothing may come of the bytes while the mask leaves them out: the drained output that
    // follows them is the first thing said, and said alone.
    ASSERT_EQ(port.Write("x"), 0u);
    ASSERT_TRUE(target.WaitFor(1));
    EXPECT_EQ(target.EventUnion(), EV_TXEMPTY);

    // Once the mask takes bytes in, they are said, and none was lost meanwhile.
    ASSERT_EQ(port.SetEventMask(EV_RXCHAR), 0u);
    pty.WriteMaster("seen");
    EXPECT_TRUE(WaitUntil([&] { return (target.EventUnion() & EV_RXCHAR) != 0; }));
    EXPECT_EQ(ReadEverything(port, target, 10), "unseenseen");
}

TEST_F(SerialNotification, CloseWithNoEventEverReceivedReturnsAndPostsNothing)
{
    for (int round = 0; round < 20; ++round) {
        CSerialWnd fresh;
        ASSERT_EQ(fresh.Open(pty.slavePathU16(), &target), 0u);
        EXPECT_EQ(fresh.Close(), 0u);
        EXPECT_FALSE(fresh.IsEventThreadRunning());
        EXPECT_EQ(fresh.Close(), 0u);
    }
    EXPECT_TRUE(target.Messages().empty());
}

TEST_F(SerialNotification, ALostDeviceIsReportedOnceAndTheThreadEnds)
{
    Open();
    pty.CloseSlave();
    pty.CloseMaster();
    ASSERT_TRUE(WaitUntil([&] { return port.EventThreadEnded(); }));
    ASSERT_EQ(target.Messages().size(), 1u);
    EXPECT_EQ(target.Messages().front().first, EV_ERR | (CE_IOE << 16));
    EXPECT_EQ(port.Close(), 0u);
}

TEST_F(SerialNotification, TheEventCharacterIsReported)
{
    Open();
    ASSERT_EQ(port.SetEventCharacter('\n', true), 0u);
    EXPECT_EQ(port.GetEventMask(), 0x00C3u);
    EXPECT_EQ(port.GetEventCharacter(), '\n');
    pty.WriteMaster("line\n");
    ASSERT_TRUE(target.WaitFor(1));
    EXPECT_EQ(target.EventUnion(), EV_RXCHAR | EV_RXFLAG);
}

TEST_F(SerialNotification, ALargeTransferArrivesCompleteAndInOrder)
{
    Open();
    std::string sent;
    for (int i = 0; i < 200'000; ++i)
        sent.push_back(static_cast<char>('A' + (i * 7) % 26));
    std::thread device([&] { pty.WriteMaster(sent); });
    const std::string got = ReadEverything(port, target, sent.size());
    device.join();
    EXPECT_EQ(got.size(), sent.size());
    EXPECT_TRUE(got == sent);
}

} // namespace
} // namespace wirevane
