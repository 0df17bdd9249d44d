#pragma once

#include "platform/linux/port_sources.h"
#include "platform/usb_identity.h"

namespace wirevane::platform {

// The same lookups over a sysfs and /dev of the caller's choosing.
std::optional<UsbIdentity> UsbIdentityOf(const std::string& devicePath, const PortSources& sources);
std::vector<std::string> DevicesWithIdentity(const UsbIdentity& identity,
                                             const PortSources& sources);

} // namespace wirevane::platform
