#pragma once

#include "platform/serial_device.h"

#include <chrono>

namespace wirevane::platform {

// How long one character takes on the line at these settings: start bit, data bits, parity bit
// and stop bits (one and a half count as two), rounded up to a whole microsecond.
std::chrono::microseconds CharacterDuration(const LineSettings& settings);

} // namespace wirevane::platform
