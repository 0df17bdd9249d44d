#pragma once

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

// The identity of the USB adapter behind a port's device path (on Linux links are followed, so
// an announced name or a /dev/serial/by-id link works too); nothing for a device that is not
// on USB.
std::optional<UsbIdentity> UsbIdentityOf(const std::string& devicePath);

// The device paths of the ports that sit on an adapter with this identity, in name order.
std::vector<std::string> DevicesWithIdentity(const UsbIdentity& identity);

} // namespace wirevane::platform
