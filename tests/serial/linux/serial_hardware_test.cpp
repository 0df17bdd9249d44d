// A run against a real serial port, for what a pseudo-terminal cannot show. Opt-in: set
// WIREVANE_LOOPBACK_PORT to a port whose TX is wired to its RX (a loopback plug or a jumper on
// an adapter), e.g. WIREVANE_LOOPBACK_PORT=/dev/ttyUSB0. Without it every test here is skipped.
#include "fakes/recording_message_target.h"
#include "serial/serial_wnd.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace wirevane {
namespace {

std::u16string LoopbackPort()
{
    const char* path = std::getenv("WIREVANE_LOOPBACK_PORT");
    return path ? std::u16string(path, path + std::char_traits<char>::length(path))
                : std::u16string();
}

TEST(SerialHardware, EveryUartSettingIsAcceptedAndReadBack)
{
    const std::u16string path = LoopbackPort();
    if (path.empty())
        GTEST_SKIP() << "WIREVANE_LOOPBACK_PORT is not set";
    CSerial port;
    ASSERT_EQ(port.Open(path), 0u);
    for (uint32_t bits = 5; bits <= 8; ++bits) {
        for (uint32_t parity = NOPARITY; parity <= SPACEPARITY; ++parity) {
            const uint32_t stop = bits == 5 ? ONE5STOPBITS : TWOSTOPBITS;
            EXPECT_EQ(port.SetLineSettings(19200, bits, parity, stop), 0u) << bits << parity;
            EXPECT_EQ(port.GetDataBits(), bits);
            EXPECT_EQ(port.GetParity(), parity);
            EXPECT_EQ(port.GetStopBits(), stop);
        }
    }
    EXPECT_EQ(port.SetHandshake(HandshakeHardware), 0u);
    EXPECT_EQ(port.GetHandshake(), HandshakeHardware);
}

TEST(SerialHardware, LoopedBackBytesAndABreakAreReported)
{
    const std::u16string path = LoopbackPort();
    if (path.empty())
        GTEST_SKIP() << "WIREVANE_LOOPBACK_PORT is not set";
    test::RecordingMessageTarget target;
    CSerialWnd port;
    ASSERT_EQ(port.Open(path, &target), 0u);
    ASSERT_EQ(port.SetLineSettings(115200, 8, NOPARITY, ONESTOPBIT), 0u);
    ASSERT_EQ(port.SetHandshake(HandshakeOff), 0u);
    ASSERT_EQ(port.Write("loop\r"), 0u);
    ASSERT_TRUE(target.WaitFor(1));
    EXPECT_TRUE(target.EventUnion() & EV_RXCHAR);
    std::string got;
    for (int tries = 0; tries < 100 && got.size() < 5; ++tries) {
        char chunk[16];
        uint32_t count = 0;
        ASSERT_EQ(port.Read(chunk, sizeof chunk, &count), 0u);
        got.append(chunk, count);
        if (got.size() < 5)
            target.WaitFor(target.Messages().size() + 1, std::chrono::milliseconds(50));
    }
    EXPECT_EQ(got, "loop\r");

    const std::size_t before = target.Messages().size();
    port.SendBreak();
    ASSERT_TRUE(target.WaitFor(before + 1));
    bool breakSeen = false;
    for (const auto& message : target.Messages())
        breakSeen = breakSeen || (message.first & EV_BREAK);
    EXPECT_TRUE(breakSeen);
    port.Close();
}

} // namespace
} // namespace wirevane
