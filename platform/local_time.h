#pragma once

#include <ctime>

namespace wirevane::platform {

// The calendar fields of a time in the system's time zone (TZ where it is set), safe to call
// from any thread.
std::tm LocalTimeOf(std::time_t time);

} // namespace wirevane::platform
