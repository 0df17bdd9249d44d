#include "platform/win32/not_regular_file.h"

#include "platform/win32/full_path_name.h"
#include "platform/win32/win32_file_error.h"

#include <cwctype>
#include <string>
#include <string_view>

namespace wirevane::platform {

namespace {

FileError Refusal(const char* kind)
{
    FileError error = FileErrorFromWin32(ERROR_BAD_FILE_TYPE);
    error.message = std::string("Not a regular file (") + kind + ")";
    return error;
}

} // namespace

FileError NotARegularFile(DWORD fileType)
{
    return Refusal(fileType == FILE_TYPE_CHAR   ? "a character device"
                   : fileType == FILE_TYPE_PIPE ? "a pipe"
                                                : "not a regular file");
}

FileError RefuseDeviceName(const std::filesystem::path& path)
{
    const std::optional<std::wstring> full = SystemFullPathName(path);
    if (!full)
        return {};
    constexpr std::wstring_view kDeviceSpace = L"\\\\.\\";
    if (!full->starts_with(kDeviceSpace))
        return {};
    const std::wstring_view device = std::wstring_view(*full).substr(kDeviceSpace.size());
    // \\.\C:\a.ini is a file spelled through the device space; \\.\C: alone is the volume.
    const bool onADrive = device.size() > 3 && std::iswalpha(device[0]) && device[1] == L':' &&
                          (device[2] == L'\\' || device[2] == L'/');
    if (onADrive)
        return {};
    constexpr std::wstring_view kPipes = L"pipe\\";
    const bool pipe =
        device.size() > kPipes.size() &&
        CompareStringOrdinal(device.data(), static_cast<int>(kPipes.size()), kPipes.data(),
                             static_cast<int>(kPipes.size()), TRUE) == CSTR_EQUAL;
    return Refusal(pipe ? "a pipe" : "a device");
}

} // namespace wirevane::platform
