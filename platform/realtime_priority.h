#pragma once

#include <optional>
#include <string>

namespace wirevane::platform {

// Why the system kept a thread at its normal priority, and what would let it grant more.
struct RealtimeRefusal {
    std::string reason; // the system's own words
    std::string remedy; // the setting or right that grants it on this system
};

// Asks for a priority above every ordinary program's for the calling thread, so that a busy
// neighbour cannot delay its wake-ups. Only for the time a run needs it: a thread that computes
// without pause at this priority keeps others from its processor. A child process never
// inherits it. Empty when granted.
std::optional<RealtimeRefusal> RaiseToRealtime();

// Gives the calling thread's raised priority back: the normal class again, with the prompt
// wake-ups of PreferPromptWakeUps.
void LeaveRealtime();

} // namespace wirevane::platform
