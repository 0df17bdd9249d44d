#include "platform/linux/serial_errno.h"
#include "platform/linux/termios_control.h"
#include "platform/serial_codes.h"

// The kernel's flag values, as termios_control.cpp uses them; glibc's <termios.h> would clash.
#include <asm/termbits.h>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/ioctl.h>

namespace wirevane::platform {
namespace {

TEST(TermiosLineSettings, EveryUartSettingRoundTrips)
{
    for (uint32_t dataBits = 5; dataBits <= 8; ++dataBits) {
        for (uint32_t parity = NOPARITY; parity <= SPACEPARITY; ++parity) {
            for (uint32_t stopBits = ONESTOPBIT; stopBits <= TWOSTOPBITS; ++stopBits) {
                const LineSettings wanted{31250, dataBits, parity, stopBits};
                TtyControl control;
                MakeRaw(control);
                // A UART's 1.5 stop bits exist only beside 5 data bits, and there they take
                // the place of 2.
                const bool possible =
                    dataBits == 5 ? stopBits != TWOSTOPBITS : stopBits != ONE5STOPBITS;
                ASSERT_EQ(EncodeLineSettings(wanted, control), possible)
                    << dataBits << parity << stopBits;
                if (possible) {
                    EXPECT_EQ(DecodeLineSettings(control), wanted)
                        << dataBits << parity << stopBits;
                }
            }
        }
    }
}

// A round trip cannot see odd and even (or mark and space) swapped in both directions at once;
// the device only understands the flags themselves.
TEST(TermiosLineSettings, EachParityIsTheKernelsOwnFlags)
{
    struct Case {
        uint32_t parity;
        uint32_t flags;
    };
    const Case cases[] = {{NOPARITY, 0},
                          {ODDPARITY, PARENB | PARODD},
                          {EVENPARITY, PARENB},
                          {MARKPARITY, PARENB | PARODD | CMSPAR},
                          {SPACEPARITY, PARENB | CMSPAR}};
    TtyControl control;
    MakeRaw(control);
    // Each setting is encoded over the one before, so a flag left behind shows too.
    for (const uint32_t order : {0u, 1u}) {
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[order == 0 ? i : std::size(cases) - 1 - i];
            ASSERT_TRUE(EncodeLineSettings({9600, 8, c.parity, ONESTOPBIT}, control));
            EXPECT_EQ(control.controlFlags & (PARENB | PARODD | CMSPAR), c.flags) << c.parity;
            EXPECT_EQ((control.inputFlags & INPCK) != 0, c.parity != NOPARITY) << c.parity;

            TtyControl fromKernel;
            fromKernel.controlFlags = CS8 | CREAD | CLOCAL | c.flags;
            EXPECT_EQ(DecodeLineSettings(fromKernel).parity, c.parity) << c.parity;
        }
    }
}

TEST(TermiosModemLines, EachLineIsItsOwnStatusBit)
{
    EXPECT_EQ(ModemStatusFromLines(0), 0u);
    EXPECT_EQ(ModemStatusFromLines(TIOCM_CTS), MS_CTS_ON);
    EXPECT_EQ(ModemStatusFromLines(TIOCM_DSR), MS_DSR_ON);
    EXPECT_EQ(ModemStatusFromLines(TIOCM_RI), MS_RING_ON);
    EXPECT_EQ(ModemStatusFromLines(TIOCM_CD), MS_RLSD_ON);
    // Lines the port does not report on stay out of the status word.
    EXPECT_EQ(ModemStatusFromLines(TIOCM_DTR | TIOCM_RTS | TIOCM_LE | TIOCM_ST | TIOCM_SR), 0u);
    EXPECT_EQ(ModemStatusFromLines(TIOCM_CTS | TIOCM_DSR | TIOCM_RI | TIOCM_CD),
              MS_CTS_ON | MS_DSR_ON | MS_RING_ON | MS_RLSD_ON);
}

TEST(TermiosLineSettings, RefusesWhatNoUartDoesAndLeavesTheBlockAlone)
{
    TtyControl control;
    MakeRaw(control);
    ASSERT_TRUE(EncodeLineSettings({19200, 7, EVENPARITY, ONESTOPBIT}, control));
    ASSERT_TRUE(EncodeHandshake(HandshakeHardware, control));
    const TtyControl before = control;
    EXPECT_FALSE(EncodeHandshake(3, control));
    EXPECT_EQ(control, before);
    for (const LineSettings& bad :
         {LineSettings{0, 8, 0, 0}, LineSettings{9600, 4, 0, 0}, LineSettings{9600, 9, 0, 0},
          LineSettings{9600, 8, 5, 0}, LineSettings{9600, 8, 0, 3},
          LineSettings{9600, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}}) {
        EXPECT_FALSE(EncodeLineSettings(bad, control));
        EXPECT_EQ(control, before);
    }
}

TEST(SerialErrno, SystemErrorsBecomePortValuesWithoutPosingAsOthers)
{
    // A port another program holds is busy on Linux and access-denied to the window's texts.
    EXPECT_EQ(SerialErrorFromErrno(EBUSY), ERROR_ACCESS_DENIED);
    // errno 6 (ENXIO, a device that is not there) must not read as ERROR_INVALID_HANDLE.
    EXPECT_EQ(SerialErrorFromErrno(6), ERROR_FILE_NOT_FOUND);
    // The rest keep their own number, marked so it cannot be read as a Windows value.
    EXPECT_EQ(SerialErrorFromErrno(EPIPE), kErrorSystemFlag | EPIPE);
}

} // namespace
} // namespace wirevane::platform
