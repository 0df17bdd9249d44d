#include "platform/linux/low_latency_flag.h"

#include <cerrno>
#include <linux/serial.h>
#include <sys/ioctl.h>

namespace wirevane::platform {

namespace {

int WriteLowLatencyBit(int fd, bool on, int* previousFlags)
{
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return errno;
    if (previousFlags)
        *previousFlags = serial.flags;
    const int bit = static_cast<int>(ASYNC_LOW_LATENCY);
    const int wanted = on ? (serial.flags | bit) : (serial.flags & ~bit);
    if (wanted == serial.flags)
        return 0;
    serial.flags = wanted;
    return ioctl(fd, TIOCSSERIAL, &serial) == 0 ? 0 : errno;
}

} // namespace

int RequestLowLatency(int fd, int& previousFlags)
{
    return WriteLowLatencyBit(fd, true, &previousFlags);
}

int RestoreLowLatencyFlag(int fd, int previousFlags)
{
    return WriteLowLatencyBit(fd, (previousFlags & static_cast<int>(ASYNC_LOW_LATENCY)) != 0,
                              nullptr);
}

} // namespace wirevane::platform
