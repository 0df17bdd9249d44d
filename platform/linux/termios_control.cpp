#include "platform/linux/termios_control.h"

#include "platform/serial_codes.h"

// Only the kernel's definitions: glibc's <termios.h> redefines the same names differently.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>
#include <linux/serial.h>
#include <sys/ioctl.h>

namespace wirevane::platform {

int ReadTtyControl(int fd, TtyControl& control)
{
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    control.inputFlags = tio.c_iflag;
    control.outputFlags = tio.c_oflag;
    control.controlFlags = tio.c_cflag;
    control.localFlags = tio.c_lflag;
    control.inputSpeed = tio.c_ispeed;
    control.outputSpeed = tio.c_ospeed;
    control.minBytes = tio.c_cc[VMIN];
    control.waitTenths = tio.c_cc[VTIME];
    return 0;
}

int WriteTtyControl(int fd, const TtyControl& control)
{
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    tio.c_iflag = control.inputFlags;
    tio.c_oflag = control.outputFlags;
    tio.c_cflag = control.controlFlags;
    tio.c_lflag = control.localFlags;
    tio.c_ispeed = control.inputSpeed;
    tio.c_ospeed = control.outputSpeed;
    tio.c_cc[VMIN] = control.minBytes;
    tio.c_cc[VTIME] = control.waitTenths;
    // TCSETS2, not TCSETSW2: a port held back by flow control must still take new settings.
    if (ioctl(fd, TCSETS2, &tio) != 0)
        return errno;
    return 0;
}

int ReadLineCounters(int fd, LineCounters& counters)
{
    serial_icounter_struct counts{};
    if (ioctl(fd, TIOCGICOUNT, &counts) != 0)
        return errno;
    counters.cts = static_cast<uint32_t>(counts.cts);
    counters.dsr = static_cast<uint32_t>(counts.dsr);
    counters.ring = static_cast<uint32_t>(counts.rng);
    counters.dcd = static_cast<uint32_t>(counts.dcd);
    counters.frame = static_cast<uint32_t>(counts.frame);
    counters.overrun = static_cast<uint32_t>(counts.overrun);
    counters.parity = static_cast<uint32_t>(counts.parity);
    counters.breaks = static_cast<uint32_t>(counts.brk);
    counters.bufferOverrun = static_cast<uint32_t>(counts.buf_overrun);
    return 0;
}

void MakeRaw(TtyControl& control)
{
    control.inputFlags &=
        ~static_cast<uint32_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                               IXOFF | IXANY | IUCLC | IMAXBEL | INPCK);
    control.outputFlags &= ~static_cast<uint32_t>(OPOST);
    control.localFlags &=
        ~static_cast<uint32_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN | ECHOE | ECHOK);
    control.controlFlags |= CREAD | CLOCAL;
    control.controlFlags &= ~static_cast<uint32_t>(HUPCL);
    // With VMIN 0 a read of an empty queue answers 0 even on a non-blocking descriptor, the
    // same as a hang-up; with VMIN 1 it answers EAGAIN and 0 means the device is gone.
    control.minBytes = 1;
    control.waitTenths = 0;
}

namespace {

constexpr uint32_t kSizeFlags[] = {CS5, CS6, CS7, CS8};

} // namespace

bool EncodeLineSettings(const LineSettings& settings, TtyControl& control)
{
    if (settings.baudRate == 0 || settings.dataBits < 5 || settings.dataBits > 8)
        return false;
    if (settings.parity > SPACEPARITY || settings.stopBits > TWOSTOPBITS)
        return false;
    // A UART's 1.5 stop bits exist only beside 5 data bits; termios spells them CSTOPB.
    if (settings.stopBits == ONE5STOPBITS && settings.dataBits != 5)
        return false;
    // With 5 data bits the UART's second stop bit is half a bit long: 2 cannot be had.
    if (settings.stopBits == TWOSTOPBITS && settings.dataBits == 5)
        return false;

    uint32_t cflag = control.controlFlags;
    cflag &= ~static_cast<uint32_t>(CBAUD | (CBAUD << IBSHIFT) | CSIZE | PARENB | PARODD | CMSPAR |
                                    CSTOPB);
    cflag |= BOTHER | (BOTHER << IBSHIFT);
    cflag |= kSizeFlags[settings.dataBits - 5];
    switch (settings.parity) {
    case ODDPARITY:
        cflag |= PARENB | PARODD;
        break;
    case EVENPARITY:
        cflag |= PARENB;
        break;
    case MARKPARITY:
        cflag |= PARENB | CMSPAR | PARODD;
        break;
    case SPACEPARITY:
        cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    if (settings.stopBits != ONESTOPBIT)
        cflag |= CSTOPB;
    control.controlFlags = cflag;
    control.inputSpeed = settings.baudRate;
    control.outputSpeed = settings.baudRate;
    // Parity errors are counted by the driver; INPCK makes it check them at all.
    if (settings.parity != NOPARITY)
        control.inputFlags |= INPCK;
    else
        control.inputFlags &= ~static_cast<uint32_t>(INPCK);
    return true;
}

LineSettings DecodeLineSettings(const TtyControl& control)
{
    LineSettings settings;
    settings.baudRate = control.outputSpeed;
    settings.dataBits = static_cast<uint32_t>(CharacterSizeBits(control));
    const uint32_t cflag = control.controlFlags;
    if (!(cflag & PARENB))
        settings.parity = NOPARITY;
    else if (cflag & CMSPAR)
        settings.parity = (cflag & PARODD) ? MARKPARITY : SPACEPARITY;
    else
        settings.parity = (cflag & PARODD) ? ODDPARITY : EVENPARITY;
    if (!(cflag & CSTOPB))
        settings.stopBits = ONESTOPBIT;
    else
        settings.stopBits = settings.dataBits == 5 ? ONE5STOPBITS : TWOSTOPBITS;
    return settings;
}

bool EncodeHandshake(uint32_t mode, TtyControl& control)
{
    if (mode > HandshakeSoftware)
        return false;
    control.controlFlags &= ~static_cast<uint32_t>(CRTSCTS);
    control.inputFlags &= ~static_cast<uint32_t>(IXON | IXOFF | IXANY);
    if (mode == HandshakeHardware)
        control.controlFlags |= CRTSCTS;
    else if (mode == HandshakeSoftware)
        control.inputFlags |= IXON | IXOFF;
    return true;
}

uint32_t DecodeHandshake(const TtyControl& control)
{
    if (control.controlFlags & CRTSCTS)
        return HandshakeHardware;
    if (!(control.inputFlags & IXON))
        return HandshakeOff;
    return (control.inputFlags & IXOFF) ? HandshakeSoftware : HandshakeOff;
}

bool HasHardwareFlow(const TtyControl& control)
{
    return (control.controlFlags & CRTSCTS) != 0;
}

uint32_t ModemStatusFromLines(int lines)
{
    uint32_t status = 0;
    if (lines & TIOCM_CTS)
        status |= MS_CTS_ON;
    if (lines & TIOCM_DSR)
        status |= MS_DSR_ON;
    if (lines & TIOCM_RI)
        status |= MS_RING_ON;
    if (lines & TIOCM_CD)
        status |= MS_RLSD_ON;
    return status;
}

bool HasParity(const TtyControl& control)
{
    return (control.controlFlags & PARENB) != 0;
}

bool HasMarkSpaceParity(const TtyControl& control)
{
    return (control.controlFlags & CMSPAR) != 0;
}

bool HasTwoStopBits(const TtyControl& control)
{
    return (control.controlFlags & CSTOPB) != 0;
}

int CharacterSizeBits(const TtyControl& control)
{
    switch (control.controlFlags & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

} // namespace wirevane::platform
