#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

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

extern const RadioGroup kDataBitsGroup;
extern const RadioGroup kParityGroup;
extern const RadioGroup kStopBitsGroup;
// Shown off, software, hardware, while the port's values are 0 off, 1 hardware, 2 software.
extern const RadioGroup kHandshakeGroup;

inline constexpr uint32_t kNoRadioSelected = 0xFFFFFFFF;

// The rates the baud field lists, from the old serial rates to the fast ones of USB adapters.
extern const std::span<const uint32_t> kListedBaudRates;
// What the field takes at all: below 50 no UART runs, above 4,000,000 no adapter sold does.
inline constexpr uint32_t kLowestBaudRate = 50;
inline constexpr uint32_t kHighestBaudRate = 4'000'000;
// The rate the page shows when the port's cannot be read or is outside the range.
inline constexpr uint32_t kFallbackBaudRate = 9600;

// A typed rate: decimal digits, blanks around them allowed, within the range; nothing otherwise.
std::optional<uint32_t> ParseBaudRate(std::u16string_view text);
// The rate the field shows for what the port holds.
uint32_t ShownBaudRate(uint32_t portRate);

} // namespace wirevane
