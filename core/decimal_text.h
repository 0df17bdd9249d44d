#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace wirevane {

// A number as the files and the grid write it: decimal digits, a minus sign when negative.
inline std::u16string DecimalText(int64_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// A whole number as a user types it: ASCII digits only, any of `blanks` around them allowed, at
// most `highest`. A sign, a fraction, a unit or letters give nothing, so that no text is taken
// whose meaning differs from what it shows.
std::optional<uint64_t> ParseWholeNumber(std::u16string_view text, uint64_t highest,
                                         std::u16string_view blanks = u" \t");

// The longest pause a row can ask for: the step timer is armed with an int of milliseconds.
inline constexpr int32_t kLongestDelayMs = std::numeric_limits<int32_t>::max();

// A delay as the user types it, in the cell or in a dialog: a whole number of milliseconds from
// 0 to kLongestDelayMs, with spaces and tabs around it: the blanks the table's own reading of a
// delay cell skips, so that what is taken runs as it shows.
std::optional<int32_t> ParseDelayText(std::u16string_view text);

} // namespace wirevane
