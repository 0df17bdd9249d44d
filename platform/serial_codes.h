#pragma once

#include <cstdint>

namespace wirevane {

// The port layer reports in one value set on every platform: the Windows error values. A
// system error without a counterpart is kErrorSystemFlag | errno, so it never reads as one.
// The names are Windows' and the native serial class's own, so code reads the same as there.
// NOLINTBEGIN(readability-identifier-naming)
inline constexpr uint32_t ERROR_SUCCESS = 0;
inline constexpr uint32_t ERROR_INVALID_FUNCTION = 1;
inline constexpr uint32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr uint32_t ERROR_TOO_MANY_OPEN_FILES = 4;
inline constexpr uint32_t ERROR_ACCESS_DENIED = 5;
inline constexpr uint32_t ERROR_INVALID_HANDLE = 6;
inline constexpr uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr uint32_t ERROR_OPERATION_ABORTED = 995;
inline constexpr uint32_t ERROR_IO_DEVICE = 1117;
inline constexpr uint32_t ERROR_ALREADY_INITIALIZED = 1247;
inline constexpr uint32_t ERROR_TIMEOUT = 1460;
inline constexpr uint32_t E_INVALIDARG = 0x80070057;
inline constexpr uint32_t kErrorSystemFlag = 0x20000000;

// A query that cannot read the device answers this.
inline constexpr uint32_t kQueryFailed = 0xFFFFFFFF;
// The infinite time-out.
inline constexpr uint32_t INFINITE = 0xFFFFFFFF;

// Port event bits, as carried in the low word of a port notification.
inline constexpr uint32_t EV_RXCHAR = 0x0001;
inline constexpr uint32_t EV_RXFLAG = 0x0002;
inline constexpr uint32_t EV_TXEMPTY = 0x0004;
inline constexpr uint32_t EV_CTS = 0x0008;
inline constexpr uint32_t EV_DSR = 0x0010;
inline constexpr uint32_t EV_RLSD = 0x0020;
inline constexpr uint32_t EV_BREAK = 0x0040;
inline constexpr uint32_t EV_ERR = 0x0080;
inline constexpr uint32_t EV_RING = 0x0100;

// Modem status bits.
inline constexpr uint32_t MS_CTS_ON = 0x0010;
inline constexpr uint32_t MS_DSR_ON = 0x0020;
inline constexpr uint32_t MS_RING_ON = 0x0040;
inline constexpr uint32_t MS_RLSD_ON = 0x0080;

// Line-error bits, as carried in the high word of a port notification.
inline constexpr uint32_t CE_RXOVER = 0x0001;
inline constexpr uint32_t CE_OVERRUN = 0x0002;
inline constexpr uint32_t CE_RXPARITY = 0x0004;
inline constexpr uint32_t CE_FRAME = 0x0008;
inline constexpr uint32_t CE_BREAK = 0x0010;
inline constexpr uint32_t CE_TXFULL = 0x0100;
// The device is gone (unplugged, or the far end of a pseudo-terminal closed).
inline constexpr uint32_t CE_IOE = 0x0400;

// Parity, stop bits, flow control and read mode values, as stored in the settings file.
inline constexpr uint32_t NOPARITY = 0;
inline constexpr uint32_t ODDPARITY = 1;
inline constexpr uint32_t EVENPARITY = 2;
inline constexpr uint32_t MARKPARITY = 3;
inline constexpr uint32_t SPACEPARITY = 4;

inline constexpr uint32_t ONESTOPBIT = 0;
inline constexpr uint32_t ONE5STOPBITS = 1;
inline constexpr uint32_t TWOSTOPBITS = 2;

inline constexpr uint32_t HandshakeOff = 0;
inline constexpr uint32_t HandshakeHardware = 1;
inline constexpr uint32_t HandshakeSoftware = 2;

inline constexpr uint32_t ReadModeNonblocking = 0;
inline constexpr uint32_t ReadModeBlocking = 1;
// NOLINTEND(readability-identifier-naming)

} // namespace wirevane
