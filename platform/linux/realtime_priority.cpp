#include "platform/realtime_priority.h"

#include "platform/linux/fair_slice.h"

#include <cerrno>
#include <cstring>
#include <linux/sched.h>
#include <linux/sched/types.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace wirevane::platform {

namespace {

// The lowest realtime priority is enough: it already runs before every fair-class thread, and
// leaves every higher one to the system's own realtime threads.
constexpr uint32_t kRealtimePriority = 1;

} // namespace

std::optional<RealtimeRefusal> RaiseToRealtime()
{
    sched_attr attributes{};
    attributes.size = sizeof attributes;
    attributes.sched_policy = SCHED_FIFO;
    attributes.sched_priority = kRealtimePriority;
    // A program the run starts (a helper, a shell) must not inherit it.
    attributes.sched_flags = SCHED_FLAG_RESET_ON_FORK;
    if (syscall(SYS_sched_setattr, 0, &attributes, 0) == 0)
        return std::nullopt;
    return RealtimeRefusal{std::strerror(errno),
                           "an rtprio line in /etc/security/limits.conf "
                           "(e.g. \"@dialout - rtprio 1\") or the CAP_SYS_NICE capability"};
}

void LeaveRealtime()
{
    // The flag stays: only a privileged thread may clear it, and it is harmless in the fair
    // class. Going down is never refused.
    EnterFairClassWithShortSlice(SCHED_FLAG_RESET_ON_FORK);
}

} // namespace wirevane::platform
