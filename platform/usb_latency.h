#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace wirevane::platform {

// The latency timer of the USB adapter behind a port's device path, in ms: how long an FTDI
// chip holds received bytes that do not fill a packet before it hands them over. Every answer
// of the device waits for it, so it is shown beside the port's settings. Nothing for a device
// that has none (not on USB, or another chip).
std::optional<uint32_t> UsbLatencyTimerMs(const std::filesystem::path& devicePath);

} // namespace wirevane::platform
