#include "terminal/traffic/traffic_time.h"

#include "platform/local_time.h"

#include <cstdio>
#include <ctime>

namespace wirevane {

namespace {

struct LocalTime {
    std::tm fields{};
    int milliseconds = 0;
};

LocalTime Split(TrafficTime time)
{
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(time.time_since_epoch());
    // Floor division, so a time before the epoch still gets 0..999 milliseconds.
    auto seconds = sinceEpoch.count() / 1000;
    auto millis = sinceEpoch.count() % 1000;
    if (millis < 0) {
        millis += 1000;
        --seconds;
    }
    LocalTime local;
    const std::time_t whole = static_cast<std::time_t>(seconds);
    local.fields = platform::LocalTimeOf(whole);
    local.milliseconds = static_cast<int>(millis);
    return local;
}

} // namespace

TrafficClock SystemTrafficClock()
{
    return [] { return std::chrono::system_clock::now(); };
}

std::u16string LineStamp(TrafficTime time)
{
    const LocalTime local = Split(time);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d ", local.fields.tm_hour,
                  local.fields.tm_min, local.fields.tm_sec, local.milliseconds);
    return std::u16string(text, text + 13);
}

std::string LogStamp(TrafficTime time)
{
    const LocalTime local = Split(time);
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d",
                                     local.fields.tm_year + 1900, local.fields.tm_mon + 1,
                                     local.fields.tm_mday, local.fields.tm_hour,
                                     local.fields.tm_min, local.fields.tm_sec, local.milliseconds);
    return std::string(text, static_cast<std::size_t>(length));
}

} // namespace wirevane
