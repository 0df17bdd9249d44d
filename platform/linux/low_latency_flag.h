#pragma once

namespace wirevane::platform {

// The driver's low-latency request (ASYNC_LOW_LATENCY in TIOCGSERIAL's flags). ftdi_sio answers
// it by setting its chip's latency timer to 1 ms and puts the old timer back when it is
// cleared; any user who may open the port may set it. Drivers without the serial ioctls (a
// pseudo-terminal, cdc_acm) refuse with ENOTTY. Only that one flag is ever changed.

// Sets the request; previousFlags gets the driver's flags from before. 0 or errno.
int RequestLowLatency(int fd, int& previousFlags);
// Sets or clears the request as it was in flags read before; 0 or errno.
int RestoreLowLatencyFlag(int fd, int previousFlags);

} // namespace wirevane::platform
