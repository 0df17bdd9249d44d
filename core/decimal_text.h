#pragma once

#include <cstdint>
#include <string>

namespace wirevane {

// A number as the files and the grid write it: decimal digits, a minus sign when negative.
inline std::u16string DecimalText(int64_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace wirevane
