#pragma once

#include "platform/serial_device.h"
#include "platform/serial_line_events.h"

#include <cstdint>

namespace wirevane::platform {

// The parts of a tty's control block the port uses, in the kernel's own flag values. The
// kernel's termios2 (any baud rate) cannot share a translation unit with the C library's
// termios.h, so everything that knows the flag values lives in termios_control.cpp and the
// rest of the port code sees only this struct and the functions below.
struct TtyControl {
    uint32_t inputFlags = 0;
    uint32_t outputFlags = 0;
    uint32_t controlFlags = 0;
    uint32_t localFlags = 0;
    uint32_t inputSpeed = 0;
    uint32_t outputSpeed = 0;
    uint8_t minBytes = 0;   // VMIN
    uint8_t waitTenths = 0; // VTIME

    bool operator==(const TtyControl&) const = default;
};

// 0 or errno.
int ReadTtyControl(int fd, TtyControl& control);
int WriteTtyControl(int fd, const TtyControl& control);

// The driver's modem-line and error counters (TIOCGICOUNT); 0 or errno (ENOTTY, EINVAL:
// the driver keeps none).
int ReadLineCounters(int fd, LineCounters& counters);

// No echo, no line editing, no translation, no signals; receiver on, modem lines ignored for
// opening and closing (CLOCAL), no read timer (VMIN 1, VTIME 0; the descriptor is
// non-blocking).
void MakeRaw(TtyControl& control);

// false for a setting no UART does: data bits outside 5..8, a parity or stop-bits value
// outside its set, 1.5 stop bits with more than 5 data bits, 2 stop bits with 5 data bits,
// a baud rate of 0.
bool EncodeLineSettings(const LineSettings& settings, TtyControl& control);
LineSettings DecodeLineSettings(const TtyControl& control);

// false for a mode outside off / hardware / software.
bool EncodeHandshake(uint32_t mode, TtyControl& control);
uint32_t DecodeHandshake(const TtyControl& control);

// The modem lines of TIOCMGET as MS_CTS_ON, MS_DSR_ON, MS_RING_ON and MS_RLSD_ON.
uint32_t ModemStatusFromLines(int lines);

// Exposed for the facts the tests establish about pseudo-terminals.
bool HasHardwareFlow(const TtyControl& control);
bool HasParity(const TtyControl& control);
bool HasMarkSpaceParity(const TtyControl& control);
bool HasTwoStopBits(const TtyControl& control);
int CharacterSizeBits(const TtyControl& control);

} // namespace wirevane::platform
