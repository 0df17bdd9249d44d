#pragma once

#include "platform/usb_identity.h"

#include <string_view>

namespace wirevane::platform {

// The identity in a USB device's instance id, "USB\VID_0403&PID_6001\A12345" (ids in lower case,
// as Linux's sysfs spells them). Windows makes up the last part ("5&2a3b4c&0&1", with '&') for
// a device without a serial number: the serial is then empty. Nothing for an id that is not a
// USB device's, or that is one interface of a composite device ("...&MI_00").
std::optional<UsbIdentity> UsbIdentityFromInstanceId(std::wstring_view instanceId);

} // namespace wirevane::platform
