#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::sim {

// The 14-byte display frame a digital multimeter sends for a reading such as "AC -12.34 V",
// "DC 04.71 kohm", "DC 0.5 mA" or "DC OL Mohm": byte k carries k+1 in its high nibble and four
// of the display's segments or symbols in its low nibble. Four digits at most; shorter numbers
// are padded with leading zeros. Prefixes n u m k M; units V A ohm Hz % F. Empty when the
// reading cannot be shown.
std::optional<std::string> MeterFrame(std::string_view reading);

// The frames of a reading that goes from one number to another in steps of the last digit either
// number shows ("0.00" to "5.00": 0.00, 0.01, ... 5.00), each shown with the reading's current
// kind and unit ("DC 01.23 V": DC, V); empty when either end or a step cannot be shown.
std::vector<std::string> MeterSweepFrames(std::string_view reading, std::string_view from,
                                          std::string_view to);

} // namespace wirevane::sim
