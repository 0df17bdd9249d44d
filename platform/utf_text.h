#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::platform {

// UTF-8 and UTF-16LE forms of text: INI files with a byte-order mark and UTF-8 on the line.
// Decoding never stops early: each byte that is not part of a valid sequence becomes one U+FFFD.
std::u16string DecodeUtf8(std::span<const uint8_t> bytes);

// One step of UTF-8 decoding at bytes[at]: the code point and the bytes it took, or invalid
// (one byte taken) when no valid, shortest-form sequence of a scalar value starts there.
struct Utf8Step {
    char32_t codePoint = 0;
    std::size_t length = 1;
    bool valid = false;
};

inline Utf8Step DecodeUtf8Step(std::span<const uint8_t> bytes, std::size_t at)
{
    const uint8_t lead = bytes[at];
    if (lead < 0x80)
        return Utf8Step{char32_t{lead}, 1, true};
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    }
    bool valid = length != 0 && at + length <= bytes.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
        const uint8_t next = bytes[at + k];
        valid = (next & 0xC0) == 0x80;
        cp = (cp << 6) | (next & 0x3F);
    }
    valid = valid && cp >= minimum && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    if (!valid)
        return Utf8Step{};
    return Utf8Step{cp, length, true};
}

// Calls emit(char32_t) for each code point of the bytes, with U+FFFD for each byte that does not
// start a valid sequence; for callers that map code points without building the UTF-16 text.
template <typename Emit> void ForEachUtf8CodePoint(std::span<const uint8_t> bytes, Emit emit)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const Utf8Step step = DecodeUtf8Step(bytes, i);
        emit(step.valid ? step.codePoint : char32_t{0xFFFD});
        i += step.length;
    }
}

void AppendUtf8(std::u16string_view text, std::vector<uint8_t>& out);

std::u16string DecodeUtf16Le(std::span<const uint8_t> bytes);
void AppendUtf16Le(std::u16string_view text, std::vector<uint8_t>& out);

} // namespace wirevane::platform
