#pragma once

#include <string_view>

namespace wirevane::platform {

// A system-wide lock named after `name`, held by this process until it ends. Answers false when
// another process holds it already (or the lock cannot be made), so a second copy of the program
// can end without touching the first. The kernel drops the lock with the process, so a crashed
// copy never keeps the next one out.
bool AcquireSingleInstanceLock(std::string_view name);

} // namespace wirevane::platform
