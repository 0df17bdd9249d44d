// What a kernel pseudo-terminal does with the port's settings and calls. The port code relies
// on these (settings are judged by reading them back; ENOTTY means "no such lines"); when a
// kernel changes one of them, this file says which.
#include "platform/linux/termios_control.h"
#include "platform/serial_codes.h"
#include "support/pty_pair.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace wirevane::platform {
namespace {

using test::PtyPair;

TtyControl RawControl(int fd)
{
    TtyControl control;
    EXPECT_EQ(ReadTtyControl(fd, control), 0);
    MakeRaw(control);
    return control;
}

TEST(PtyFacts, AnyBaudRateFlowControlStopBitsAndMarkSpaceAreKeptOnBothSides)
{
    PtyPair pty;
    for (uint32_t baud : {50u, 9600u, 115200u, 12345u, 3000000u}) {
        TtyControl control = RawControl(pty.slave());
        ASSERT_TRUE(EncodeLineSettings({baud, 8, NOPARITY, TWOSTOPBITS}, control));
        ASSERT_TRUE(EncodeHandshake(HandshakeHardware, control));
        ASSERT_EQ(WriteTtyControl(pty.slave(), control), 0);
        for (int side : {pty.slave(), pty.master()}) {
            TtyControl back;
            ASSERT_EQ(ReadTtyControl(side, back), 0);
            EXPECT_EQ(back.outputSpeed, baud);
            EXPECT_EQ(back.inputSpeed, baud);
            EXPECT_TRUE(HasHardwareFlow(back));
            EXPECT_TRUE(HasTwoStopBits(back));
        }
    }
    TtyControl control = RawControl(pty.slave());
    ASSERT_TRUE(EncodeHandshake(HandshakeSoftware, control));
    ASSERT_EQ(WriteTtyControl(pty.slave(), control), 0);
    TtyControl back;
    ASSERT_EQ(ReadTtyControl(pty.master(), back), 0);
    EXPECT_EQ(DecodeHandshake(back), HandshakeSoftware); // IXON and IXOFF kept
}

TEST(PtyFacts, ParityAndNarrowCharactersAreDroppedWhileTheCallSucceeds)
{
    PtyPair pty;
    TtyControl control = RawControl(pty.slave());
    ASSERT_TRUE(EncodeLineSettings({9600, 7, MARKPARITY, ONESTOPBIT}, control));
    // The call's verdict is success ...
    EXPECT_EQ(WriteTtyControl(pty.slave(), control), 0);
    TtyControl back;
    ASSERT_EQ(ReadTtyControl(pty.slave(), back), 0);
    // ... but PARENB is cleared and CS7 became CS8; CMSPAR stays, meaning nothing alone.
    EXPECT_FALSE(HasParity(back));
    EXPECT_EQ(CharacterSizeBits(back), 8);
    EXPECT_TRUE(HasMarkSpaceParity(back));
    for (uint32_t bits : {5u, 6u}) {
        control = RawControl(pty.slave());
        ASSERT_TRUE(EncodeLineSettings({9600, bits, NOPARITY, ONESTOPBIT}, control));
        EXPECT_EQ(WriteTtyControl(pty.slave(), control), 0);
        ASSERT_EQ(ReadTtyControl(pty.slave(), back), 0);
        EXPECT_EQ(CharacterSizeBits(back), 8);
    }
}

TEST(PtyFacts, ModemLinesAndCountersAreNotThereButBreaksAreAcceptedSilently)
{
    PtyPair pty;
    int lines = 0;
    EXPECT_EQ(ioctl(pty.slave(), TIOCMGET, &lines), -1);
    EXPECT_EQ(errno, ENOTTY);
    lines = TIOCM_DTR;
    EXPECT_EQ(ioctl(pty.slave(), TIOCMBIS, &lines), -1);
    EXPECT_EQ(errno, ENOTTY);
    serial_icounter_struct counts{};
    EXPECT_EQ(ioctl(pty.slave(), TIOCGICOUNT, &counts), -1);
    EXPECT_EQ(errno, ENOTTY);
    EXPECT_EQ(ioctl(pty.slave(), TIOCMIWAIT, TIOCM_CTS), -1);
    EXPECT_EQ(errno, ENOTTY);

    EXPECT_EQ(ioctl(pty.slave(), TIOCSBRK), 0);
    EXPECT_EQ(ioctl(pty.slave(), TIOCCBRK), 0);
    EXPECT_EQ(tcsendbreak(pty.slave(), 0), 0);
    // Nothing reaches the other side: no break marker, no bytes.
    EXPECT_EQ(pty.ReadMasterAvailable(), "");
    int queued = -1;
    EXPECT_EQ(ioctl(pty.slave(), TIOCOUTQ, &queued), 0);
    EXPECT_EQ(queued, 0);
}

TEST(PtyFacts, AClosedMasterHangsUpTheSlaveAndDiscardsUnreadData)
{
    PtyPair pty;
    const int port = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(port, 0);
    TtyControl control = RawControl(port);
    ASSERT_EQ(WriteTtyControl(port, control), 0);
    char byte = 0;
    // With VMIN 1 an empty queue is EAGAIN, not the 0 of a hang-up.
    EXPECT_EQ(read(port, &byte, 1), -1);
    EXPECT_EQ(errno, EAGAIN);

    pty.WriteMaster("unread");
    pollfd readable{port, POLLIN, 0};
    ASSERT_EQ(poll(&readable, 1, 5000), 1);
    pty.CloseMaster();
    pollfd fd{port, POLLIN, 0};
    ASSERT_EQ(poll(&fd, 1, 5000), 1);
    EXPECT_TRUE(fd.revents & POLLHUP);
    EXPECT_EQ(read(port, &byte, 1), 0);
    close(port);
}

TEST(PtyFacts, ExclusiveModeDoesNotStopRootButTheLockDoes)
{
    PtyPair pty;
    const int first = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(first, 0);
    ASSERT_EQ(ioctl(first, TIOCEXCL), 0);
    ASSERT_EQ(flock(first, LOCK_EX | LOCK_NB), 0);
    const int second = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (geteuid() == 0) {
        ASSERT_GE(second, 0) << "TIOCEXCL stopped root";
        EXPECT_EQ(flock(second, LOCK_EX | LOCK_NB), -1);
        EXPECT_EQ(errno, EWOULDBLOCK);
        close(second);
    } else {
        EXPECT_EQ(second, -1);
        EXPECT_EQ(errno, EBUSY);
    }
    close(first);
}

} // namespace
} // namespace wirevane::platform
