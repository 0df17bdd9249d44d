#pragma once

#include <cstdint>

namespace wirevane::platform {

// A line's rate and character format, in the values of the Windows comm API, which the settings
// file's SERIAL keys store too.
struct LineSettings {
    uint32_t baudRate = 9600;
    uint32_t dataBits = 8;
    uint32_t parity = 0;   // NOPARITY .. SPACEPARITY
    uint32_t stopBits = 0; // ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS

    bool operator==(const LineSettings&) const = default;
};

} // namespace wirevane::platform
