#pragma once

#include <filesystem>
#include <windows.h>
// After windows.h, whose macros they use.
#include <knownfolders.h>
#include <shlobj.h>

namespace wirevane::platform {

// The shell's folder of that id for this user; empty when the system has none.
std::filesystem::path KnownFolder(REFKNOWNFOLDERID id);

} // namespace wirevane::platform
