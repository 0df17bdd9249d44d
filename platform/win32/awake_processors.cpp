#include "platform/awake_processors.h"

namespace wirevane::platform {

// Windows offers a program no request of the kind: the processors' idle states belong to the
// power plan, which only an administrator changes. A run there has the time-critical priority
// only, and nothing is refused.

AwakeProcessors::~AwakeProcessors() = default;

std::optional<RealtimeRefusal> AwakeProcessors::Hold()
{
    return std::nullopt;
}

void AwakeProcessors::Release() {}

} // namespace wirevane::platform
