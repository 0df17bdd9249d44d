#include "platform/usb_latency.h"

#include <fstream>
#include <system_error>

namespace wirevane::platform {

std::optional<uint32_t> UsbLatencyTimerMs(const std::filesystem::path& devicePath)
{
    // An announced name or a /dev/serial/by-id link names the same tty as its target.
    std::error_code error;
    const std::filesystem::path device = std::filesystem::canonical(devicePath, error);
    if (error)
        return std::nullopt;
    // Only ftdi_sio gives its ports this attribute.
    std::ifstream file(std::filesystem::path("/sys/bus/usb-serial/devices") / device.filename() /
                       "latency_timer");
    uint32_t milliseconds = 0;
    if (!(file >> milliseconds))
        return std::nullopt;
    return milliseconds;
}

} // namespace wirevane::platform
