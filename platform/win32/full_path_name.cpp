#include "platform/win32/full_path_name.h"

#include <windows.h>

namespace wirevane::platform {

std::optional<std::wstring> SystemFullPathName(const std::filesystem::path& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return std::nullopt;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return std::nullopt;
    full.resize(length);
    return full;
}

} // namespace wirevane::platform
