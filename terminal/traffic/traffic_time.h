#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace wirevane {

// When traffic was read or handed to the port, on the wall clock: what a person compares with
// other logs and clocks. Tests give their own clock.
using TrafficTime = std::chrono::system_clock::time_point;
using TrafficClock = std::function<TrafficTime()>;

TrafficClock SystemTrafficClock();

// The local time "HH:MM:SS.mmm " put before a received line.
std::u16string LineStamp(TrafficTime time);
// The local date and time "YYYY-MM-DD HH:MM:SS.mmm" of a chunk in the raw log.
std::string LogStamp(TrafficTime time);

} // namespace wirevane
