#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::vector<uint8_t> Utf16ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16; each byte that does not start a well-formed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::span<const uint8_t> bytes);

} // namespace wirevane
