#include "platform/prompt_wake.h"

#include "platform/linux/fair_slice.h"

#include <cerrno>
#include <linux/sched.h>
#include <linux/sched/types.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace wirevane::platform {

namespace {

// The fair scheduler (EEVDF, Linux 6.12 on) takes a thread's own slice length in sched_runtime:
// the shorter the slice, the earlier the virtual deadline a woken thread gets, so it takes the
// processor from a neighbour that computes without pause. 0.1 ms is the shortest it accepts;
// the threads that ask run for microseconds at a time and lose nothing by it.
constexpr uint64_t kSliceNs = 100'000;

} // namespace

int EnterFairClassWithShortSlice(uint64_t flags)
{
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    if (nice == -1 && errno != 0)
        return errno;
    sched_attr attributes{};
    attributes.size = sizeof attributes;
    attributes.sched_policy = SCHED_NORMAL;
    attributes.sched_flags = flags;
    attributes.sched_nice = nice;
    attributes.sched_runtime = kSliceNs;
    // An older kernel ignores the slice; one without sched_setattr refuses, which is harmless.
    return syscall(SYS_sched_setattr, 0, &attributes, 0) == 0 ? 0 : errno;
}

bool PreferPromptWakeUps()
{
    return EnterFairClassWithShortSlice(0) == 0;
}

} // namespace wirevane::platform
