#include "platform/port_open_failure.h"

namespace wirevane::platform {

// Windows names no holder of a port and keeps no device groups: the error value's own text
// (access denied is a port in use) says all the system knows.
std::string DescribePortOpenFailure(const std::string&, const PortOpenError&)
{
    return {};
}

} // namespace wirevane::platform
