#pragma once

#include <cstdint>
#include <span>

namespace wirevane {

// The radio buttons of the port settings page and the port values they stand for. Reading a
// value the port holds selects its button, or the group's fallback button for any other value;
// a group without a selected button yields 0xFFFFFFFF, which the port refuses.
struct RadioChoice {
    int id;
    uint32_t value;
};

struct RadioGroup {
    std::span<const RadioChoice> choices; // in the order the page shows them
    int fallbackId;

    int IdForValue(uint32_t value) const;
    uint32_t ValueForId(int id) const;
};

extern const RadioGroup kBaudRateGroup;
extern const RadioGroup kDataBitsGroup;
extern const RadioGroup kParityGroup;
extern const RadioGroup kStopBitsGroup;
// Shown off, software, hardware, while the port's values are 0 off, 1 hardware, 2 software.
extern const RadioGroup kHandshakeGroup;

inline constexpr uint32_t kNoRadioSelected = 0xFFFFFFFF;

} // namespace wirevane
