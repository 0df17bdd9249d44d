#include "platform/realtime_priority.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

namespace wirevane::platform {

// Time-critical rather than highest: in the normal priority class it is priority 15, the top of
// the range the system's own boosts use, so a woken run thread goes before any ordinary
// program's, boosted or not; highest (10) would lose to a foreground window's boosted thread.
// It stays below the realtime class, so the system's own threads still go first, and a process
// may set it on its own threads without any privilege.
std::optional<RealtimeRefusal> RaiseToRealtime()
{
    if (SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL))
        return std::nullopt;
    return RealtimeRefusal{SystemMessage(GetLastError()),
                           "the right to set the priority of the program's own threads"};
}

void LeaveRealtime()
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

} // namespace wirevane::platform
