#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wirevane::sim {

// The 14-byte display frame a digital multimeter sends for a reading such as "AC -12.34 V",
// "DC 04.71 kohm", "DC 0.5 mA" or "DC OL Mohm": byte k carries k+1 in its high nibble and four
// of the display's segments or symbols in its low nibble. Four digits at most; shorter numbers
// are padded with leading zeros. Prefixes n u m k M; units V A ohm Hz % F. Empty when the
// reading cannot be shown.
std::optional<std::string> MeterFrame(std::string_view reading);

} // namespace wirevane::sim
