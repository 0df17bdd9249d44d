#include "platform/win32/port_name.h"

#include <string>
#include <string_view>

namespace wirevane::platform {

DWORD RefuseNonPortName(const std::filesystem::path& path)
{
    // The system's own reading of the name, so that "COM3" in any folder, "nul.txt" and
    // forward slashes come out as the open would take them.
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return GetLastError();
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return ERROR_INVALID_FUNCTION;
    full.resize(length);
    const std::wstring_view name(full);
    if (!name.starts_with(L"\\\\.\\") && !name.starts_with(L"\\\\?\\"))
        return ERROR_INVALID_FUNCTION;
    const std::wstring_view device = name.substr(4);
    // A folder in the name makes it a pipe (pipe\x), a share (UNC\server\x) or a file on a
    // drive (C:\x); a drive letter alone is a whole volume.
    const bool volume = device.size() == 2 && device[1] == L':';
    if (device.empty() || volume || device.find_first_of(L"\\/") != std::wstring_view::npos)
        return ERROR_INVALID_FUNCTION;
    return ERROR_SUCCESS;
}

} // namespace wirevane::platform
