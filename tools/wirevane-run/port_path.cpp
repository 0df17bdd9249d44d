#include "tools/wirevane-run/port_path.h"

#include "platform/port_enumeration.h"

#include <string_view>

namespace wirevane::runner {

std::string PortPath(const std::string& name)
{
    constexpr std::string_view kWindowsPrefix = R"(\\.\)";
    std::string_view port = name;
    if (port.starts_with(kWindowsPrefix))
        port.remove_prefix(kWindowsPrefix.size());
    return platform::PortDevicePath(port);
}

} // namespace wirevane::runner
