#include "serial/qt/qt_serial_port.h"
#include "support/pty_pair.h"
#include "support/wait_until.h"
#include "window_stand_in.h"

#include <QCoreApplication>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace wirevane {
namespace {

using namespace std::chrono_literals;

class OwnerReading : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(port.Open(pty.slavePathU16(), &window), 0u);
        ASSERT_EQ(port.SetEventMask(EV_RXCHAR | EV_ERR), 0u);
        port.SetOwnerReadsWhile([this] { return awaiting; });
    }

    // The owner looks again whenever it writes.
    void Await(bool on)
    {
        awaiting = on;
        const uint8_t key = 'k';
        port.QueueWrite({&key, 1}, nullptr);
    }

    // Without the owner's loop running, only the event thread can take them off the line.
    // Bytes written to the master reach the line's input queue a moment later, so an empty
    // queue counts only once it has stayed empty for a while.
    bool DrainedWithoutTheLoop()
    {
        auto emptySince = std::chrono::steady_clock::now();
        return test::WaitUntil([&] {
            const auto now = std::chrono::steady_clock::now();
            if (pty.SlaveInputPending() != 0)
                emptySince = now;
            return now - emptySince >= 100ms;
        });
    }

    test::PtyPair pty;
    QtSerialPort port;
    test::WindowStandIn window{&port};
    bool awaiting = false;
};

// The two readers are told apart by what happens while the owner's loop does not run: only the
// event thread takes bytes off the line then.
TEST_F(OwnerReading, TheOwnerReadsAnAwaitedAnswerButNotAFlood)
{
    Await(true);
    pty.WriteMaster("answer\r");
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(pty.SlaveInputPending(), 7u) << "the event thread took bytes the owner awaited";
    QTRY_COMPARE_WITH_TIMEOUT(window.text, std::string("answer\r"), 10000);

    const std::string flood(8192, 'f');
    pty.WriteMaster(flood);
    // Once the whole flood is shown the owner has handed the reading back, however the line cut
    // it: only the owner reads until it has drained a flood's worth.
    QTRY_COMPARE_WITH_TIMEOUT(window.text.size(), 7 + flood.size(), 10000);
    pty.WriteMaster("more");
    EXPECT_TRUE(DrainedWithoutTheLoop()) << "a flood was left to the owner";
    QTRY_COMPARE_WITH_TIMEOUT(window.text, "answer\r" + flood + "more", 10000);

    Await(true);
    Await(false);
    pty.WriteMaster("free");
    EXPECT_TRUE(DrainedWithoutTheLoop()) << "nobody drained once the owner gave reading back";
    QTRY_COMPARE_WITH_TIMEOUT(window.text, "answer\r" + flood + "morefree", 10000);
}

// A device streams numbered bytes while the owner switches between the two readers as fast as
// it can, each way: by writing, and by being woken while it no longer awaits.
TEST_F(OwnerReading, BytesAcrossManySwitchesArriveOnceAndInOrder)
{
    std::string sent;
    for (int i = 0; i < 6000; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%05d,", i);
        sent += number;
    }
    std::atomic<bool> done{false};
    std::thread device([&] {
        for (std::size_t at = 0; at < sent.size();) {
            const std::size_t piece = std::min<std::size_t>(1 + at % 37, sent.size() - at);
            pty.WriteMaster(std::string_view(sent).substr(at, piece));
            at += piece;
            if (at % 7 == 0)
                std::this_thread::sleep_for(50us);
        }
        done = true;
    });
    int switches = 0;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (window.text.size() < sent.size() && std::chrono::steady_clock::now() < deadline) {
        if (switches % 3 == 2)
            awaiting = !awaiting; // noticed when the device next wakes the owner
        else
            Await(!awaiting);
        ++switches;
        QCoreApplication::processEvents();
        pty.ReadMasterAvailable();
    }
    device.join();
    EXPECT_EQ(window.text, sent);
    EXPECT_GT(switches, 100);

    // Closing while the owner watches leaves nothing behind that could still call the port.
    Await(true);
    EXPECT_EQ(port.Close(), 0u);
    pty.WriteMaster("late");
    QTest::qWait(50);
    EXPECT_EQ(window.text, sent);
}

TEST_F(OwnerReading, ADeviceLostWhileTheOwnerReadsIsToldOnce)
{
    Await(true);
    pty.WriteMaster("last");
    QTRY_COMPARE_WITH_TIMEOUT(window.text, std::string("last"), 10000);
    pty.CloseMaster();
    const auto toldLost = [&] {
        return std::count_if(window.received.begin(), window.received.end(), [](const auto& r) {
            return r.first == ((uintptr_t{CE_IOE} << 16) | EV_ERR);
        });
    };
    QTRY_COMPARE_WITH_TIMEOUT(toldLost(), std::ptrdiff_t{1}, 10000);
    // A hung-up descriptor stays readable; the owner must not keep waking on it.
    const std::size_t told = window.received.size();
    QTest::qWait(100);
    EXPECT_EQ(window.received.size(), told);
    EXPECT_EQ(toldLost(), 1);
}

} // namespace
} // namespace wirevane
