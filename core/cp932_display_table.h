#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wirevane {

// Code page 932 decoding for the receive display, from tables built once from the platform's
// converter. It gives exactly what that converter gives (each undecodable byte becomes one
// U+FFFD and decoding goes on with the next byte) without a converter call per chunk, and maps
// any BMP character to what it shows as after a trip through code page 932.
class Cp932DisplayTable {
public:
    static const Cp932DisplayTable& instance();

    void decodeAppend(std::span<const uint8_t> bytes, std::u16string& out) const;

    // The character itself, its code page 932 twin, or "?" when it has no code page 932 form.
    char16_t shownAs(char32_t codePoint) const
    {
        return codePoint < m_shown.size() ? m_shown[codePoint] : u'?';
    }

private:
    Cp932DisplayTable();

    static constexpr char16_t kNoPair = 0xFFFF; // a noncharacter: no byte pair decodes to it

    std::array<char16_t, 256> m_single{};
    std::array<bool, 256> m_isLead{};
    std::vector<char16_t> m_pair;  // indexed by lead << 8 | trail
    std::vector<char16_t> m_shown; // indexed by BMP code point
};

} // namespace wirevane
