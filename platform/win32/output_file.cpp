#include "platform/output_file.h"

#include "platform/win32/not_regular_file.h"
#include "platform/win32/win32_file_error.h"

#include <algorithm>
#include <windows.h>

namespace wirevane::platform {

namespace {

HANDLE HandleOf(intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

OutputFile::~OutputFile()
{
    Close();
}

FileError OutputFile::Open(const std::filesystem::path& path, bool append)
{
    Close();
    // Text meant for a log must not go out of a serial port or into a pipe or the console, nor
    // may a mistyped name open one of them: only a file on a disk is written.
    if (FileError refused = RefuseDeviceName(path); !refused.ok())
        return refused;
    // FILE_APPEND_DATA without FILE_WRITE_DATA makes every write land at the end, as O_APPEND
    // does; others may read the log while it grows.
    const HANDLE file =
        CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FileErrorFromWin32(GetLastError());
    if (const DWORD type = GetFileType(file); type != FILE_TYPE_DISK) {
        CloseHandle(file);
        return NotARegularFile(type);
    }
    m_handle = reinterpret_cast<intptr_t>(file);
    return {};
}

FileError OutputFile::WriteAll(std::span<const uint8_t> bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 30));
        DWORD put = 0;
        if (!WriteFile(HandleOf(m_handle), bytes.data() + written, chunk, &put, nullptr))
            return FileErrorFromWin32(GetLastError());
        if (put == 0)
            return FileErrorFromWin32(ERROR_DISK_FULL);
        written += put;
    }
    return {};
}

FileError OutputFile::Close()
{
    if (!IsOpen())
        return {};
    const BOOL closed = CloseHandle(HandleOf(m_handle));
    m_handle = kClosed;
    return closed ? FileError{} : FileErrorFromWin32(GetLastError());
}

} // namespace wirevane::platform
