#pragma once

#include <filesystem>

namespace wirevane::test {

// True while some process holds the lock of `lockFile`: another open of the file cannot take it.
bool IsLockHeld(const std::filesystem::path& lockFile);

} // namespace wirevane::test
