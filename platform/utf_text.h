#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::platform {

// UTF-8 and UTF-16LE forms of text: INI files with a byte-order mark and UTF-8 on the line.
// Decoding never stops early: each byte that is not part of a valid sequence becomes one U+FFFD.
std::u16string decodeUtf8(std::span<const uint8_t> bytes);
void appendUtf8(std::u16string_view text, std::vector<uint8_t>& out);

std::u16string decodeUtf16Le(std::span<const uint8_t> bytes);
void appendUtf16Le(std::u16string_view text, std::vector<uint8_t>& out);

} // namespace wirevane::platform
