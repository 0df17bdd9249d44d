#include "platform/linux/serial_errno.h"

#include "platform/serial_codes.h"

#include <cerrno>

namespace wirevane::platform {

uint32_t SerialErrorFromErrno(int errnoValue)
{
    switch (errnoValue) {
    case 0:
        return ERROR_SUCCESS;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
        return ERROR_ACCESS_DENIED;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case ENOTTY:
        return ERROR_INVALID_FUNCTION;
    case EIO:
        return ERROR_IO_DEVICE;
    case ETIMEDOUT:
        return ERROR_TIMEOUT;
    default:
        return kErrorSystemFlag | static_cast<uint32_t>(errnoValue);
    }
}

} // namespace wirevane::platform
