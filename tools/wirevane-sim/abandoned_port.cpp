#include "tools/wirevane-sim/abandoned_port.h"

#include <sys/file.h>
#include <sys/ioctl.h>

namespace wirevane::sim {

void ReleaseAbandonedExclusivity(int portSide)
{
    int exclusive = 0;
    if (ioctl(portSide, TIOCGEXCL, &exclusive) != 0 || exclusive == 0)
        return;
    // Held for the moment of the look only; a program that opens the port in that moment is
    // told the port is busy, and may try again.
    if (flock(portSide, LOCK_EX | LOCK_NB) != 0)
        return;
    ioctl(portSide, TIOCNXCL);
    flock(portSide, LOCK_UN);
}

} // namespace wirevane::sim
