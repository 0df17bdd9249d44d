// The kernel's own termios2 header clashes with glibc's <termios.h>, so it lives alone here.
#include "terminal/device_speed.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace wirevane::test {

uint32_t DeviceOutputSpeed(int fd)
{
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return 0;
    return settings.c_ospeed;
}

} // namespace wirevane::test
