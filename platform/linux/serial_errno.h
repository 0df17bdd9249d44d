#pragma once

#include <cstdint>

namespace wirevane::platform {

// The one place a system error becomes a port error value: missing device 2, busy or not
// permitted 5, rejected setting 87, time-out 1460, ...; anything else 0x20000000 | errno.
uint32_t SerialErrorFromErrno(int errnoValue);

// The port error value says "access denied" (5) both for a device the user may not open and
// for one another program holds, as Windows does; the advice for the user differs. So the
// open keeps its system error on the side, per thread like errno: 0 after a successful open.
void RecordOpenErrno(int errnoValue);
int LastOpenErrno();

} // namespace wirevane::platform
