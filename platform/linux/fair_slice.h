#pragma once

#include <cstdint>

namespace wirevane::platform {

// Puts the calling thread in the fair class at its nice value with a short slice, with the
// scheduler flags given; 0 or the errno of the refusal.
int EnterFairClassWithShortSlice(uint64_t flags);

} // namespace wirevane::platform
