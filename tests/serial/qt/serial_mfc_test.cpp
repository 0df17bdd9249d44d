#include "platform/qt/qt_message_target.h"
#include "serial/qt/qt_serial_port.h"
#include "support/posted_event_counter.h"
#include "support/pty_pair.h"
#include "window_stand_in.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <string>
#include <termios.h>
#include <thread>
#include <vector>

namespace wirevane {
namespace {

using MessageReceiver = test::WindowStandIn;

TEST(SerialMfc, NotificationsReachTheWindowObjectOnItsOwnThreadAndNeedNoWindow)
{
    test::PtyPair pty;
    MessageReceiver window;
    QtSerialPort port;
    ASSERT_EQ(port.Open(pty.slavePathU16(), &window, 0, 7), 0u);
    pty.WriteMaster("ping");
    QTRY_VERIFY_WITH_TIMEOUT(!window.received.empty(), 10000);
    const MessageReceiver::Received expected{CSerialWnd::DefaultComMessage(), EV_RXCHAR, 7};
    EXPECT_EQ(window.received.front(), expected);

    EXPECT_EQ(port.Open(pty.slavePathU16(), &window), ERROR_ALREADY_INITIALIZED);
    EXPECT_EQ(port.Close(), 0u);
    EXPECT_EQ(port.Close(), 0u);

    // A port without a window still runs and closes.
    ASSERT_EQ(port.Open(pty.slavePathU16(), static_cast<QObject*>(nullptr)), 0u);
    EXPECT_TRUE(port.IsEventThreadRunning());
    pty.WriteMaster("x");
    EXPECT_EQ(port.Close(), 0u);
}

TEST(QtMessageTarget, MessagesFromAnotherThreadArriveInTheOrderPosted)
{
    MessageReceiver window;
    platform::QtMessageTarget target(&window);
    constexpr int kCount = 5000;
    std::thread poster([&target] {
        for (int i = 0; i < kCount; ++i)
            target.Post(1, static_cast<uintptr_t>(i), -i);
    });
    poster.join();
    QTRY_COMPARE_WITH_TIMEOUT(window.received.size(), std::size_t{kCount}, 10000);
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(window.received[std::size_t(i)],
                  (MessageReceiver::Received{1, uintptr_t(i), -i}));
}

using namespace std::chrono_literals;

std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

// What the completions of a port's writes said, and on which thread they came.
struct Completions {
    CSerial::WriteDone Expect(const std::string& name)
    {
        return [this, name](uint32_t error) {
            ended.push_back({name, error});
            onOwnThread = onOwnThread && QThread::currentThread() == thread;
        };
    }

    struct Ended {
        std::string name;
        uint32_t error;
        bool operator==(const Ended&) const = default;
    };
    std::vector<Ended> ended;
    QThread* thread = QThread::currentThread();
    bool onOwnThread = true;
};

// The tty's output is suspended as a received XOFF suspends it, but at once and for certain.
class HeldLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(port.Open(pty.slavePathU16(), static_cast<QObject*>(nullptr)), 0u);
    }
    void Hold() { ASSERT_EQ(tcflow(pty.slave(), TCOOFF), 0); }
    void Release() { ASSERT_EQ(tcflow(pty.slave(), TCOON), 0); }

    test::PtyPair pty;
    QtSerialPort port;
    Completions completions;
};

TEST_F(HeldLine, TheWindowThreadStaysFreeAndTypedBytesQueueBehindTheRow)
{
    Hold();
    QElapsedTimer handing;
    handing.start();
    EXPECT_EQ(port.QueueWrite(Bytes("ROW\r"), completions.Expect("row")), 0u);
    EXPECT_EQ(port.QueueWrite(Bytes("k"), completions.Expect("key")), 0u);
    EXPECT_LT(handing.elapsed(), 50);

    test::PostedEventCounter responder;
    QElapsedTimer answering;
    answering.start();
    QCoreApplication::postEvent(&responder, new QEvent(QEvent::User));
    QTRY_VERIFY_WITH_TIMEOUT(responder.answered == 1, 1000);
    EXPECT_LT(answering.elapsed(), 50);
    EXPECT_TRUE(completions.ended.empty());
    EXPECT_EQ(pty.ReadMasterAvailable(), "");

    Release();
    EXPECT_EQ(pty.ReadMaster(5), "ROW\rk");
    QTRY_VERIFY_WITH_TIMEOUT(completions.ended.size() == 2, 5000);
    EXPECT_EQ(completions.ended, (std::vector<Completions::Ended>{{"row", 0}, {"key", 0}}));
    EXPECT_TRUE(completions.onOwnThread);
}

TEST_F(HeldLine, AWriteHeldPastItsGraceTimesOutAndLeavesNothingBehind)
{
    port.SetWriteGrace(100ms);
    Hold();
    port.QueueWrite(Bytes("LATE"), completions.Expect("late"));
    QTRY_VERIFY_WITH_TIMEOUT(!completions.ended.empty(), 5000);
    EXPECT_EQ(completions.ended.front().error, ERROR_TIMEOUT);

    Release();
    port.QueueWrite(Bytes("NEXT"), completions.Expect("next"));
    QTRY_VERIFY_WITH_TIMEOUT(completions.ended.size() == 2, 5000);
    EXPECT_EQ(completions.ended.back().error, 0u);
    EXPECT_EQ(pty.ReadMaster(4), "NEXT");

    // A row's delay is counted from its completion: on a free line that must not wait for a turn
    // of the writer thread and of the event loop.
    EXPECT_EQ(port.QueueWrite(Bytes("FREE"), completions.Expect("free")), 0u);
    EXPECT_EQ(completions.ended.back(), (Completions::Ended{"free", 0}));
    EXPECT_EQ(pty.ReadMaster(4), "FREE");
}

TEST_F(HeldLine, CancelAndCloseEndHeldWritesAtOnce)
{
    Hold();
    port.QueueWrite(Bytes("A"), completions.Expect("a"));
    port.QueueWrite(Bytes("B"), completions.Expect("b"));
    port.CancelWrites();
    QTRY_VERIFY_WITH_TIMEOUT(completions.ended.size() == 2, 1000);
    for (const auto& ended : completions.ended)
        EXPECT_EQ(ended.error, ERROR_OPERATION_ABORTED) << ended.name;

    Release();
    port.QueueWrite(Bytes("C"), completions.Expect("c"));
    EXPECT_EQ(pty.ReadMaster(1), "C");
    QTRY_VERIFY_WITH_TIMEOUT(completions.ended.size() == 3, 5000);
    EXPECT_EQ(completions.ended.back(), (Completions::Ended{"c", 0}));

    Hold();
    port.QueueWrite(Bytes("D"), completions.Expect("d"));
    EXPECT_EQ(port.Close(), 0u);
    QTRY_VERIFY_WITH_TIMEOUT(completions.ended.size() == 4, 1000);
    EXPECT_EQ(completions.ended.back(), (Completions::Ended{"d", ERROR_OPERATION_ABORTED}));
    EXPECT_EQ(port.QueueWrite(Bytes("E"), completions.Expect("e")), ERROR_INVALID_HANDLE);
}

} // namespace
} // namespace wirevane
