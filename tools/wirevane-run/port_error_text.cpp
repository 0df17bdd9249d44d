#include "tools/wirevane-run/port_error_text.h"

#include "platform/port_open_failure.h"
#include "platform/serial_codes.h"

#include <cstring>

namespace wirevane::runner {

namespace {

std::string Words(uint32_t error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return "no such device";
    case ERROR_ACCESS_DENIED:
        return "the port is busy (held by another program) or access is denied";
    case ERROR_INVALID_HANDLE:
        return "the port is not open";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "too many open files";
    case ERROR_NOT_ENOUGH_MEMORY:
        return "not enough memory";
    case ERROR_INVALID_PARAMETER:
    case E_INVALIDARG:
        return "the device does not support this setting";
    case ERROR_IO_DEVICE:
        return "the device is gone";
    case ERROR_TIMEOUT:
        return "timed out";
    case ERROR_INVALID_FUNCTION:
        // What a file, a FIFO or /dev/null answers to the calls of a serial line.
        return "not a serial port";
    default:
        break;
    }
    if ((error & kErrorSystemFlag) != 0 && (error & ~kErrorSystemFlag) < 0x10000)
        return std::strerror(static_cast<int>(error & ~kErrorSystemFlag));
    return "port error";
}

} // namespace

std::string PortErrorText(uint32_t error)
{
    return Words(error) + " (error " + std::to_string(error) + ")";
}

std::string PortOpenErrorText(const std::string& name, const std::string& path, uint32_t error,
                              const platform::PortOpenError& openError)
{
    const std::string reason = platform::DescribePortOpenFailure(path, openError);
    if (reason.empty())
        return "cannot open " + name + ": " + PortErrorText(error);
    return reason + " (error " + std::to_string(error) + ")";
}

} // namespace wirevane::runner
