#include "platform/win32/port_name.h"

#include "platform/win32/full_path_name.h"

#include <optional>
#include <string>
#include <string_view>

namespace wirevane::platform {

DWORD RefuseNonPortName(const std::filesystem::path& path)
{
    const std::optional<std::wstring> full = SystemFullPathName(path);
    if (!full)
        return ERROR_INVALID_FUNCTION;
    const std::wstring_view name(*full);
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
