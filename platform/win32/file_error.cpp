#include "platform/file_error.h"

#include "platform/win32/win32_file_error.h"
#include "platform/win32/win32_text.h"

#include <cerrno>
#include <utility>
#include <windows.h>

namespace wirevane::platform {

namespace {

// The C library's errno values that file code here meets, as the Win32 error the same failure
// gives, so that one FileError holds numbers of one system only.
DWORD Win32FromErrno(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: // what opening a folder as a file answers on Windows
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EBUSY:
        return ERROR_SHARING_VIOLATION;
    default:
        return ERROR_GEN_FAILURE;
    }
}

} // namespace

FileError FileErrorFromWin32(uint32_t error)
{
    if (error == ERROR_SUCCESS)
        return {};
    return FileError{static_cast<int>(error), SystemMessage(error)};
}

FileError LinkNamesNoFile(uint32_t error)
{
    FileError refused = FileErrorFromWin32(error);
    refused.message = "The link names no file; nothing is created through it";
    return refused;
}

bool FileError::notFound() const
{
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ||
           code == ERROR_INVALID_NAME || code == ERROR_BAD_NETPATH;
}

bool FileError::accessDenied() const
{
    return code == ERROR_ACCESS_DENIED || code == ERROR_WRITE_PROTECT;
}

FileError FileError::fromErrno(int errnoValue)
{
    return errnoValue == 0 ? FileError{} : FileErrorFromWin32(Win32FromErrno(errnoValue));
}

// libstdc++'s std::filesystem reports Win32 failures in the system category and its own checks
// in the generic one.
FileError FileError::fromErrorCode(const std::error_code& error)
{
    if (!error)
        return {};
    if (error.category() == std::system_category())
        return FileErrorFromWin32(static_cast<uint32_t>(error.value()));
    return fromErrno(error.value());
}

FileError FileError::NotFound()
{
    return FileErrorFromWin32(ERROR_FILE_NOT_FOUND);
}

FileError FileError::AccessDenied()
{
    return FileErrorFromWin32(ERROR_ACCESS_DENIED);
}

FileError FileError::TooLarge(std::string reason)
{
    FileError error = FileErrorFromWin32(ERROR_FILE_TOO_LARGE);
    error.message = std::move(reason);
    return error;
}

} // namespace wirevane::platform
