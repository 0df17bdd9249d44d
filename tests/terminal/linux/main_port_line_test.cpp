#include "connection/main_port.h"
#include "platform/serial_codes.h"
#include "support/pty_pair.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

// The line a reconnect puts back on a device that came back. A part the device refuses must
// leave the port with the whole line it had, not with the parts set before the refusal.
TEST(MainPortLine, ARefusedPartLeavesTheWholeLineAsItWas)
{
    const struct {
        const char* refused;
        SerialLine wanted;
    } cases[] = {
        {"an unknown handshake", {{19200, 8, NOPARITY, TWOSTOPBITS}, 7, EV_RXCHAR, 'A'}},
        {"parity, which a pty drops",
         {{19200, 8, EVENPARITY, ONESTOPBIT}, HandshakeSoftware, EV_RXCHAR, 'A'}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused);
        test::PtyPair pty;
        MainPort port;
        ASSERT_EQ(port.Open(pty.slavePathU16(), static_cast<QObject*>(nullptr)), 0u);
        const std::optional<SerialLine> before = ReadSerialLine(port);
        ASSERT_TRUE(before);
        EXPECT_NE(port.RestoreLine(c.wanted), 0u);
        EXPECT_EQ(ReadSerialLine(port), before);
        EXPECT_EQ(port.RememberedLine(), before);
    }
}

} // namespace
} // namespace wirevane
