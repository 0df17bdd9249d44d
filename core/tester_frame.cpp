#include "core/tester_frame.h"

namespace wirevane {

namespace {

bool Bit(uint8_t byte, int bit)
{
    return ((byte >> bit) & 1) != 0;
}

int DigitSegments(uint8_t p, uint8_t q)
{
    int s = 0;
    s |= Bit(p, 0) ? 1 : 0;  // a
    s |= Bit(q, 0) ? 2 : 0;  // b
    s |= Bit(q, 2) ? 4 : 0;  // c
    s |= Bit(q, 3) ? 8 : 0;  // d
    s |= Bit(p, 2) ? 16 : 0; // e
    s |= Bit(p, 1) ? 32 : 0; // f
    s |= Bit(q, 1) ? 64 : 0; // g
    return s;
}

std::u16string Ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

std::u16string_view PrefixOf(int exponent)
{
    switch (exponent) {
    case -9:
        return u" n";
    case -6:
        return u" u";
    case -3:
        return u" m";
    case 3:
        return u" k";
    case 6:
        return u" M";
    default:
        return u" ";
    }
}

std::u16string_view UnitOf(TesterUnit unit, int exponent)
{
    switch (unit) {
    case TesterUnit::Volt:
        return u"V";
    case TesterUnit::Ampere:
        return u"A";
    case TesterUnit::Ohm:
        return exponent == 0 ? u"ohm" : u" ohm";
    case TesterUnit::Hertz:
        return u"Hz";
    case TesterUnit::Percent:
        return u"%";
    case TesterUnit::Farad:
        return u"F";
    case TesterUnit::Degrees:
        break;
    }
    return u"deg";
}

} // namespace

int SegmentsToDigit(int segments)
{
    switch (segments) {
    case 63:
        return 0;
    case 6:
        return 1;
    case 91:
        return 2;
    case 79:
        return 3;
    case 102:
        return 4;
    case 109:
        return 5;
    case 124:
    case 125:
        return 6;
    case 7:
    case 39:
        return 7;
    case 127:
        return 8;
    case 103:
    case 111:
        return 9;
    case 56:
        return -1;
    default:
        return -2;
    }
}

// Where two symbols light at once the later test wins, as the meter's own display logic does.
TesterReading DecodeTesterFrame(const TesterFrame& f)
{
    TesterReading r;
    r.dc = Bit(f[0], 2);
    r.ac = Bit(f[0], 3);
    r.minus = Bit(f[1], 3);
    for (int k = 0; k < 4; ++k)
        r.digits[k] = SegmentsToDigit(DigitSegments(f[1 + 2 * k], f[2 + 2 * k]));
    if (Bit(f[3], 3))
        r.point = 1;
    if (Bit(f[5], 3))
        r.point = 2;
    if (Bit(f[7], 3))
        r.point = 3;
    if (Bit(f[9], 1))
        r.exponent = 3;
    if (Bit(f[9], 2))
        r.exponent = -9;
    if (Bit(f[9], 3))
        r.exponent = -6;
    if (Bit(f[10], 1))
        r.exponent = 6;
    if (Bit(f[10], 3))
        r.exponent = -3;
    if (Bit(f[12], 2))
        r.unit = TesterUnit::Volt;
    if (Bit(f[12], 3))
        r.unit = TesterUnit::Ampere;
    if (Bit(f[11], 2))
        r.unit = TesterUnit::Ohm;
    if (Bit(f[11], 3))
        r.unit = TesterUnit::Farad;
    if (Bit(f[12], 1))
        r.unit = TesterUnit::Hertz;
    if (Bit(f[10], 2))
        r.unit = TesterUnit::Percent;
    r.overload = r.digits[1] == 0 && r.digits[2] == -1;
    r.valid = true;
    for (int digit : r.digits)
        r.valid = r.valid && digit >= 0;
    return r;
}

std::u16string FormatTesterReading(const TesterReading& r)
{
    std::u16string line;
    if (r.ac)
        line += u"AC ";
    else if (r.dc)
        line += u"DC ";
    if (r.minus)
        line += u"-";
    if (r.valid) {
        for (int k = 0; k < 4; ++k) {
            if (k > 0 && r.point == k)
                line += u".";
            line += Ascii(std::to_string(r.digits[k]));
        }
    }
    line += PrefixOf(r.exponent);
    line += UnitOf(r.unit, r.exponent);
    if (!r.valid && r.overload)
        line += u" OVER RANGE";
    line += u"\r\n";
    return line;
}

} // namespace wirevane
