#include "core/text_encoding.h"

namespace wirevane {

namespace {

int DigitValue(uint8_t c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

bool IsSpace(uint8_t c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

// Reads the characters as a number the way strtol does: leading blanks, one sign, digits up to
// the first other character; no digit gives 0.
uint8_t ReadNumber(const uint8_t* chars, std::size_t count, int base)
{
    std::size_t i = 0;
    while (i < count && IsSpace(chars[i]))
        ++i;
    bool negative = false;
    if (i < count && (chars[i] == '+' || chars[i] == '-')) {
        negative = chars[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < count && DigitValue(chars[i], base) >= 0; ++i)
        value = value * base + DigitValue(chars[i], base);
    return static_cast<uint8_t>(negative ? -value : value);
}

int SimpleEscape(uint8_t c)
{
    switch (c) {
    case 'a':
        return 0x07;
    case 'b':
        return 0x08;
    case 'f':
        return 0x0C;
    case 'n':
        return 0x0A;
    case 'r':
        return 0x0D;
    case 't':
        return 0x09;
    case 'v':
        return 0x0B;
    case '\\':
        return 0x5C;
    case '\'':
        return 0x27;
    case '"':
        return 0x22;
    case '?':
        return 0x3F;
    default:
        return -1;
    }
}

} // namespace

// The scan is byte-wise and knows nothing of double-byte characters, and the read position
// never passes the last byte: an escape that needs characters beyond the end reads the last
// byte again in their place.
Bytes ExpandEscapes(std::span<const uint8_t> in)
{
    Bytes out;
    out.reserve(in.size());
    const std::size_t n = in.size();
    auto at = [&](std::size_t i) { return in[i < n ? i : n - 1]; };
    std::size_t i = 0;
    while (i < n) {
        const uint8_t c = in[i];
        if (c != 0x5C) {
            out.push_back(c);
            ++i;
            continue;
        }
        if (i + 1 >= n) {
            out.push_back(0x5C);
            ++i;
            continue;
        }
        const uint8_t kind = in[i + 1];
        if (kind == 'x' || kind == 'o') {
            const std::size_t width = kind == 'x' ? 2 : 3;
            uint8_t digits[3];
            for (std::size_t k = 0; k < width; ++k)
                digits[k] = at(i + 2 + k);
            out.push_back(ReadNumber(digits, width, kind == 'x' ? 16 : 8));
            i += 2 + width;
            continue;
        }
        const int simple = SimpleEscape(kind);
        out.push_back(simple >= 0 ? static_cast<uint8_t>(simple) : kind);
        i += 2;
    }
    return out;
}

} // namespace wirevane
