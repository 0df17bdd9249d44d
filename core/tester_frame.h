#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace wirevane {

// The last display frame of the digital multimeter: byte k of a frame carries k+1 in its high
// nibble and four display segments or symbols in its low nibble. Kept for the program's life.
using TesterFrame = std::array<uint8_t, 14>;

// What the meter measures; Degrees is also what a frame without a unit symbol shows.
enum class TesterUnit { Volt, Ampere, Ohm, Hertz, Percent, Farad, Degrees };

struct TesterReading {
    bool dc = false;
    bool ac = false;
    bool minus = false;
    std::array<int, 4> digits{}; // 0..9, -1 for the letter L, -2 for anything else
    int point = 0;               // 0 none, 1..3: the point stands before digit 1..3
    int exponent = 0;            // -9, -6, -3, 0, 3, 6
    TesterUnit unit = TesterUnit::Degrees;
    bool overload = false;
    bool valid = false;
};

// The digit a seven-segment pattern shows (a = 1 ... g = 64).
int SegmentsToDigit(int segments);

TesterReading DecodeTesterFrame(const TesterFrame& frame);

// The reading as the terminal shows it, ending in CR LF, e.g. "AC -12.34 V\r\n".
std::u16string FormatTesterReading(const TesterReading& reading);

} // namespace wirevane
