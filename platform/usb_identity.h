#pragma once

#include "platform/port_enumeration.h"

#include <optional>
#include <string>
#include <vector>

namespace wirevane::platform {

// What names a USB serial adapter wherever it is plugged in: the vendor and product ids and
// the serial number its chip reports (empty for chips that have none). The device path changes
// with the plug order; this does not.
struct UsbIdentity {
    std::string vendorId;
    std::string productId;
    std::string serialNumber;

    bool operator==(const UsbIdentity&) const = default;
};

// The identity of the USB adapter behind a tty device path (links followed, so an announced
// name or a /dev/serial/by-id link works too); nothing for a device that is not on USB.
std::optional<UsbIdentity> UsbIdentityOf(const std::string& devicePath,
                                         const PortSources& sources = {});

// The device paths of the ttys that sit on an adapter with this identity, in name order.
std::vector<std::string> DevicesWithIdentity(const UsbIdentity& identity,
                                             const PortSources& sources = {});

} // namespace wirevane::platform
