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
    const DWORD access = append ? FILE_APPEND_DATA : GENERIC_WRITE;
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    // A file that is there is opened through any link to it; a new one is made only where the
    // name itself is free (CREATE_NEW on the name, not on what a link there names), so never
    // through a link that names nothing. One that appears between the two opens is opened on
    // the next turn; a name that is taken twice over and still opens no file is such a link.
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_SUCCESS;
    for (int turn = 0; turn < 2; ++turn) {
        file = CreateFileW(path.c_str(), access, kShare, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (error != ERROR_FILE_NOT_FOUND)
            break;
        file = CreateFileW(path.c_str(), access, kShare, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (error != ERROR_FILE_EXISTS)
            break;
    }
    if (error == ERROR_FILE_EXISTS)
        return LinkNamesNoFile(ERROR_FILE_NOT_FOUND);
    if (error != ERROR_SUCCESS)
        return FileErrorFromWin32(error);
    if (const DWORD type = GetFileType(file); type != FILE_TYPE_DISK) {
        CloseHandle(file);
        return NotARegularFile(type);
    }
    // A new log starts empty; it is emptied only once it is known to be a file on a disk.
    if (!append && !SetEndOfFile(file)) {
        const DWORD refused = GetLastError();
        CloseHandle(file);
        return FileErrorFromWin32(refused);
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
