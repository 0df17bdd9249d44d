#include "serial/dialogs/com_settings_choices.h"

#include "core/decimal_text.h"
#include "serial/dialogs/port_dialog_ids.h"

#include <array>

namespace wirevane {

namespace {

using namespace port_dialog;

constexpr std::array<RadioChoice, 4> kDataBits = {
    {{kDataBits5, 5}, {kDataBits6, 6}, {kDataBits7, 7}, {kDataBits8, 8}}};
constexpr std::array<RadioChoice, 5> kParities = {
    {{kParityNone, 0}, {kParityOdd, 1}, {kParityEven, 2}, {kParityMark, 3}, {kParitySpace, 4}}};
constexpr std::array<RadioChoice, 3> kStopBits = {
    {{kStopBits1, 0}, {kStopBits15, 1}, {kStopBits2, 2}}};
constexpr std::array<RadioChoice, 3> kHandshakes = {
    {{kHandshakeOff, 0}, {kHandshakeSoftware, 2}, {kHandshakeHardware, 1}}};

constexpr std::array<uint32_t, 15> kBaudRates = {1200,   2400,   9600,    14400,   19200,
                                                 38400,  56000,  57600,   115200,  230400,
                                                 460800, 921600, 1000000, 2000000, 3000000};

} // namespace

const RadioGroup kDataBitsGroup{kDataBits, kDataBits8};
const RadioGroup kParityGroup{kParities, kParityNone};
const RadioGroup kStopBitsGroup{kStopBits, kStopBits1};
const RadioGroup kHandshakeGroup{kHandshakes, kHandshakeHardware};

const std::span<const uint32_t> kListedBaudRates{kBaudRates};

int RadioGroup::IdForValue(uint32_t value) const
{
    for (const RadioChoice& choice : choices) {
        if (choice.value == value)
            return choice.id;
    }
    return fallbackId;
}

uint32_t RadioGroup::ValueForId(int id) const
{
    for (const RadioChoice& choice : choices) {
        if (choice.id == id)
            return choice.value;
    }
    return kNoRadioSelected;
}

std::optional<uint32_t> ParseBaudRate(std::u16string_view text)
{
    const std::optional<uint64_t> rate = ParseWholeNumber(text, kHighestBaudRate, u" \t\u3000");
    if (!rate || *rate < kLowestBaudRate)
        return std::nullopt;
    return static_cast<uint32_t>(*rate);
}

uint32_t ShownBaudRate(uint32_t portRate)
{
    if (portRate < kLowestBaudRate || portRate > kHighestBaudRate)
        return kFallbackBaudRate;
    return portRate;
}

} // namespace wirevane
