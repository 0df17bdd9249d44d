#include "platform/file_error.h"

#include <cstring>

namespace wirevane::platform {

FileError FileError::fromErrno(int errnoValue)
{
    if (errnoValue == 0) {
        return {};
    }
    return FileError{errnoValue, std::strerror(errnoValue)};
}

} // namespace wirevane::platform
