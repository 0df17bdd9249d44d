#include "platform/prompt_wake.h"

namespace wirevane::platform {

// Windows' scheduler already lifts a thread woken from a wait for a moment; what more it offers
// (a higher priority class) needs the user's say, so nothing is asked here.
bool PreferPromptWakeUps()
{
    return false;
}

} // namespace wirevane::platform
