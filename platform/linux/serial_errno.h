#pragma once

#include <cstdint>

namespace wirevane::platform {

// The one place a system error becomes a port error value: missing device 2, busy or not
// permitted 5, rejected setting 87, time-out 1460, ...; anything else 0x20000000 | errno.
uint32_t SerialErrorFromErrno(int errnoValue);

} // namespace wirevane::platform
