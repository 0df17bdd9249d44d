#include "platform/local_time.h"

namespace wirevane::platform {

std::tm LocalTimeOf(std::time_t time)
{
    std::tm fields{};
    localtime_s(&fields, &time);
    return fields;
}

} // namespace wirevane::platform
