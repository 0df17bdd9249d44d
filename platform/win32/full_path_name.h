#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace wirevane::platform {

// The system's own reading of a name, as an open would take it: a reserved name such as "COM3"
// or "nul.txt" comes back as \\.\COM3 or \\.\nul whatever folder it was written in, and forward
// slashes as backslashes. Nothing when the system cannot read the name.
std::optional<std::wstring> SystemFullPathName(const std::filesystem::path& path);

} // namespace wirevane::platform
