#include "platform/file_error.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace wirevane::platform {

bool FileError::notFound() const
{
    return code == ENOENT || code == ENOTDIR;
}

bool FileError::accessDenied() const
{
    return code == EACCES || code == EPERM || code == EROFS;
}

FileError FileError::fromErrno(int errnoValue)
{
    if (errnoValue == 0) {
        return {};
    }
    return FileError{errnoValue, std::strerror(errnoValue)};
}

// Both the generic and the system category hold errno values on Linux.
FileError FileError::fromErrorCode(const std::error_code& error)
{
    return fromErrno(error.value());
}

FileError FileError::NotFound()
{
    return fromErrno(ENOENT);
}

FileError FileError::AccessDenied()
{
    return fromErrno(EACCES);
}

FileError FileError::TooLarge(std::string reason)
{
    return FileError{EFBIG, std::move(reason)};
}

} // namespace wirevane::platform
