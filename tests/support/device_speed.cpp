// The kernel's own termios2 header clashes with glibc's <termios.h>, so it lives alone here.
#include "support/device_speed.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace wirevane::test {

uint32_t DeviceOutputSpeed(int fd)
{
    termios2 settings{};
    return ioctl(fd, TCGETS2, &settings) == 0 ? settings.c_ospeed : 0;
}

uint32_t DeviceInputSpeed(int fd)
{
    termios2 settings{};
    return ioctl(fd, TCGETS2, &settings) == 0 ? settings.c_ispeed : 0;
}

bool DeviceSpeedIsCustom(int fd)
{
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    return (settings.c_cflag & CBAUD) == BOTHER &&
           ((settings.c_cflag >> IBSHIFT) & CBAUD) == BOTHER;
}

} // namespace wirevane::test
