#pragma once

#include <filesystem>

namespace wirevane::platform {

// The folder of the running program's executable file.
std::filesystem::path executableFolder();

// Whether this process may create and replace files in the folder.
bool isWritableFolder(const std::filesystem::path& folder);

} // namespace wirevane::platform
