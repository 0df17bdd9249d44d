#include "platform/posix/serial_errno.h"
#include "platform/posix/termios_control.h"
#include "platform/serial_codes.h"

#include <cerrno>
#include <gtest/gtest.h>

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

TEST(TermiosLineSettings, RefusesWhatNoUartDoesAndLeavesTheBlockAlone)
{
    TtyControl control;
    MakeRaw(control);
    ASSERT_TRUE(EncodeLineSettings({19200, 7, EVENPARITY, ONESTOPBIT}, control));
    const TtyControl before = control;
    for (const LineSettings& bad :
         {LineSettings{0, 8, 0, 0}, LineSettings{9600, 4, 0, 0}, LineSettings{9600, 9, 0, 0},
          LineSettings{9600, 8, 5, 0}, LineSettings{9600, 8, 0, 3},
          LineSettings{9600, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}}) {
        EXPECT_FALSE(EncodeLineSettings(bad, control));
        EXPECT_EQ(control, before);
    }
}

TEST(TermiosHandshake, ModesRoundTripAndReplaceEachOther)
{
    TtyControl control;
    MakeRaw(control);
    for (uint32_t mode : {HandshakeHardware, HandshakeSoftware, HandshakeOff, HandshakeHardware}) {
        ASSERT_TRUE(EncodeHandshake(mode, control));
        EXPECT_EQ(DecodeHandshake(control), mode);
    }
    EXPECT_TRUE(HasHardwareFlow(control));
    EXPECT_FALSE(EncodeHandshake(3, control));
    EXPECT_EQ(DecodeHandshake(control), HandshakeHardware);
}

TEST(SerialErrno, SystemErrorsBecomePortValuesWithoutPosingAsOthers)
{
    EXPECT_EQ(SerialErrorFromErrno(ENOENT), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SerialErrorFromErrno(EBUSY), ERROR_ACCESS_DENIED);
    EXPECT_EQ(SerialErrorFromErrno(EACCES), ERROR_ACCESS_DENIED);
    EXPECT_EQ(SerialErrorFromErrno(EINVAL), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SerialErrorFromErrno(EIO), ERROR_IO_DEVICE);
    // errno 6 (ENXIO, a device that is not there) must not read as ERROR_INVALID_HANDLE.
    EXPECT_EQ(SerialErrorFromErrno(6), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SerialErrorFromErrno(EPIPE), kErrorSystemFlag | EPIPE);
    EXPECT_EQ(SerialErrorFromErrno(ENOSPC), kErrorSystemFlag | ENOSPC);
}

} // namespace
} // namespace wirevane::platform
