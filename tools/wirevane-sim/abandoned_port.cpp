#include "tools/wirevane-sim/abandoned_port.h"

#include <sys/file.h>
#include <sys/ioctl.h>

namespace wirevane::sim {

void ReleaseAbandonedExclusivity(int portSide)
{
    int exclusive = 0;
    if (ioctl(portSide, TIOCGEXCL, &exclusive) != 0 || exclusive == 0)
        return;
    // Held for the moment of the look only: a program opening the port now is refused by the
    // exclusivity anyway, so it cannot be the one this lock keeps out.
    if (flock(portSide, LOCK_EX | LOCK_NB) != 0)
        return;
    ioctl(portSide, TIOCNXCL);
    flock(portSide, LOCK_UN);
}

} // namespace wirevane::sim
