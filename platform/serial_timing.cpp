#include "platform/serial_timing.h"

#include "platform/serial_codes.h"

#include <cstdint>

namespace wirevane::platform {

std::chrono::microseconds CharacterDuration(const LineSettings& settings)
{
    const int64_t baud = settings.baudRate == 0 ? 1 : settings.baudRate;
    const int64_t bits = 1 + settings.dataBits + (settings.parity != NOPARITY ? 1 : 0) +
                         (settings.stopBits == ONESTOPBIT ? 1 : 2);
    return std::chrono::microseconds((bits * 1'000'000 + baud - 1) / baud);
}

} // namespace wirevane::platform
