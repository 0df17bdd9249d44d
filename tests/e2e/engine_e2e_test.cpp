#include "e2e/engine_rig.h"
#include "fakes/recording_terminal.h"
#include "platform/serial_codes.h"
#include "support/pty_pair.h"

#include <QSocketNotifier>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace wirevane::test {
namespace {

using namespace std::chrono_literals;

// The device on the master side, served by the same event loop as the port's window side:
// whatever it receives is kept, and each CR it receives is answered with the next answer.
class AnsweringDevice {
public:
    AnsweringDevice(PtyPair& pty, std::vector<std::string> answers)
        : m_pty(pty), m_answers(std::move(answers)), m_notifier(pty.master(), QSocketNotifier::Read)
    {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, [this] { Receive(); });
    }

    const std::string& received() const { return m_received; }
    // Before the test closes the master: a notifier on a closed descriptor complains.
    void Detach() { m_notifier.setEnabled(false); }

private:
    void Receive()
    {
        char buffer[512];
        const ssize_t got = read(m_pty.master(), buffer, sizeof buffer);
        if (got <= 0) {
            m_notifier.setEnabled(false);
            return;
        }
        for (ssize_t i = 0; i < got; ++i) {
            m_received += buffer[i];
            if (buffer[i] == '\r' && m_next < m_answers.size())
                m_pty.WriteMaster(m_answers[m_next++]);
        }
    }

    PtyPair& m_pty;
    std::vector<std::string> m_answers;
    std::size_t m_next = 0;
    QSocketNotifier m_notifier;
    std::string m_received;
};

TEST(EngineEndToEnd, FiveRowsWithCrWaitsRunToTheEndAndSendExactlyTheRows)
{
    PtyPair pty;
    RecordingTerminal terminal;
    EngineRig rig(terminal);
    // Bytes before the CR must not end a wait.
    AnsweringDevice device(pty, {"ok\r", "busy..\r", "x\ny\r", "\r", "done\r"});
    rig.SetRow(0, u"AT", 1, 0);
    rig.SetRow(1, u"SET 1", 1, 5);
    rig.SetRow(3, u"\\x02GET\\x03", 1, 0);
    rig.SetRow(4, u"あ", 1, 0);
    rig.SetRow(7, u"END", 1, 0);
    ASSERT_EQ(rig.Open(pty.slavePath()), 0u);

    rig.engine().OnSend();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.run().running == 0; }, 10'000))
        << "device received: " << device.received();

    EXPECT_EQ(device.received(), "AT\rSET 1\r\x02GET\x03\r\x82\xA0\rEND\r");
    EXPECT_EQ(rig.run().endReached, 1);
    EXPECT_EQ(rig.run().currentRow, 0);
    for (int row : {0, 1, 3, 4, 7})
        EXPECT_EQ(rig.grid().cellImage(row, SendTable::kNumberColumn), kRowImageSent) << row;
    EXPECT_NE(terminal.text().find(u"ok\rbusy..\rx\ny\r\rdone\r"), std::u16string::npos);
    EXPECT_EQ(rig.lastReadError(), 0u);
}

TEST(EngineEndToEnd, MultimeterStreamShowsReadingLines)
{
    PtyPair pty;
    RecordingTerminal terminal;
    EngineRig rig(terminal);
    rig.run().testerMode = 1;
    ASSERT_EQ(rig.Open(pty.slavePath()), 0u);

    // Two frames; the second arrives in two pieces, as a slow meter's bytes do.
    pty.WriteMaster("\x18\x28\x35\x45\x5B\x69\x7F\x82\x97\xA0\xB0\xC0\xD4\xE0");
    pty.WriteMaster("\x14\x27\x3D\x42\x57\x69\x75");
    ASSERT_TRUE(rig.RunUntil(
        [&] { return terminal.text().find(u"AC -12.34 V\r\n") != std::u16string::npos; }, 10'000))
        << std::string(terminal.text().begin(), terminal.text().end());
    pty.WriteMaster("\x80\x95\xA2\xB0\xC4\xD0\xE0");
    ASSERT_TRUE(rig.RunUntil(
        [&] { return terminal.text().find(u"DC 04.71 k ohm\r\n") != std::u16string::npos; },
        10'000));
    EXPECT_EQ(terminal.text(), u"18 28 35 45 5B 69 7F 82 97 A0 B0 C0 D4 E0 \r\nAC -12.34 V\r\n"
                               u"14 27 3D 42 57 69 75 80 95 A2 B0 C4 D0 E0 \r\nDC 04.71 k ohm\r\n");
}

TEST(EngineEndToEnd, DeviceClosingMidRunEndsCleanly)
{
    PtyPair pty;
    RecordingTerminal terminal;
    EngineRig rig(terminal);
    rig.SetRow(0, u"PING", 1, 0);
    rig.SetRow(1, u"NEVER", 0, 0);
    ASSERT_EQ(rig.Open(pty.slavePath()), 0u);
    rig.engine().OnSend();
    AnsweringDevice device(pty, {});
    ASSERT_TRUE(rig.RunUntil([&] { return device.received() == "PING\r"; }, 10'000));
    pty.WriteMaster("par");
    ASSERT_TRUE(
        rig.RunUntil([&] { return terminal.text().find(u"par") != std::u16string::npos; }, 10'000));
    device.Detach();
    pty.CloseMaster();
    pty.CloseSlave();

    // The port says once that the device is gone.
    ASSERT_TRUE(rig.RunUntil([&] { return ((rig.lastEventWord() >> 16) & CE_IOE) != 0; }, 10'000));
    EXPECT_NE(terminal.text().find(u"[An internal error occurred.]\n"), std::u16string::npos);
    EXPECT_EQ(rig.run().waitKind, 1); // nothing answered the row
    EXPECT_NE(rig.grid().cellImage(1, SendTable::kNumberColumn), kRowImageSent);

    // Stop and close as the window does; neither may hang on the dead device.
    const auto start = std::chrono::steady_clock::now();
    rig.engine().OnStop();
    EXPECT_EQ(rig.port().Close(), 0u);
    EXPECT_FALSE(rig.port().IsOpen());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    const int messages = rig.messages();
    // Messages still queued from before the close find a closed port and stop at once.
    rig.RunUntil([] { return false; }, 100);
    EXPECT_LE(rig.messages() - messages, 2);
}

} // namespace
} // namespace wirevane::test
