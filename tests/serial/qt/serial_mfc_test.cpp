#include "platform/qt/qt_message_target.h"
#include "serial/qt/qt_serial_port.h"
#include "support/pty_pair.h"

#include <QCoreApplication>
#include <QObject>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace wirevane {
namespace {

// Stands for the main window: keeps the port messages that reach its event handler.
class MessageReceiver : public QObject {
public:
    struct Received {
        uint32_t message;
        uintptr_t first;
        intptr_t second;
    };
    std::vector<Received> received;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != platform::PortMessageEvent::EventType())
            return QObject::event(e);
        const auto* message = static_cast<platform::PortMessageEvent*>(e);
        received.push_back({message->message(), message->firstValue(), message->secondValue()});
        return true;
    }
};

TEST(SerialMfc, NotificationsReachTheWindowObjectOnItsOwnThread)
{
    test::PtyPair pty;
    MessageReceiver window;
    QtSerialPort port;
    ASSERT_EQ(port.Open(pty.slavePathU16(), &window, 0, 7), 0u);
    pty.WriteMaster("ping");
    QTRY_VERIFY_WITH_TIMEOUT(!window.received.empty(), 10000);
    EXPECT_EQ(window.received.front().message, CSerialWnd::DefaultComMessage());
    EXPECT_EQ(window.received.front().first, EV_RXCHAR);
    EXPECT_EQ(window.received.front().second, 7);

    EXPECT_EQ(port.Open(pty.slavePathU16(), &window), ERROR_ALREADY_INITIALIZED);
    EXPECT_EQ(port.Close(), 0u);
    EXPECT_EQ(port.Close(), 0u);
}

TEST(SerialMfc, APortWithoutAWindowStillRunsAndCloses)
{
    test::PtyPair pty;
    QtSerialPort port;
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
    for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(window.received[static_cast<std::size_t>(i)].first, static_cast<uintptr_t>(i));
        ASSERT_EQ(window.received[static_cast<std::size_t>(i)].second, -i);
    }
}

} // namespace
} // namespace wirevane
