#include "serial/dialogs/com_settings_choices.h"

#include <array>

namespace wirevane {

namespace {

constexpr std::array<RadioChoice, 9> kBaudRates = {{{1001, 1200},
                                                    {1002, 2400},
                                                    {1003, 9600},
                                                    {1004, 14400},
                                                    {1005, 19200},
                                                    {1006, 38400},
                                                    {1007, 56000},
                                                    {1008, 57600},
                                                    {1009, 115200}}};
constexpr std::array<RadioChoice, 4> kDataBits = {{{1011, 5}, {1012, 6}, {1013, 7}, {1014, 8}}};
constexpr std::array<RadioChoice, 5> kParities = {
    {{1021, 0}, {1022, 1}, {1023, 2}, {1024, 3}, {1025, 4}}};
constexpr std::array<RadioChoice, 3> kStopBits = {{{1031, 0}, {1032, 1}, {1033, 2}}};
constexpr std::array<RadioChoice, 3> kHandshakes = {{{1041, 0}, {1042, 2}, {1043, 1}}};

} // namespace

const RadioGroup kBaudRateGroup{kBaudRates, 1003};
const RadioGroup kDataBitsGroup{kDataBits, 1014};
const RadioGroup kParityGroup{kParities, 1021};
const RadioGroup kStopBitsGroup{kStopBits, 1031};
const RadioGroup kHandshakeGroup{kHandshakes, 1043};

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

} // namespace wirevane
