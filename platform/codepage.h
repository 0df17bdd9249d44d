#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::platform {

// Conversions between UTF-16 and code page 932 (Shift_JIS with the NEC and IBM extensions).
// One implementation per platform: glibc iconv on Linux, the Win32 code page calls on Windows.
class CodePage932 {
public:
    virtual ~CodePage932() = default;

    // The code page 932 form of the text, or nothing when any character has no such form.
    virtual std::optional<std::vector<uint8_t>> EncodeStrict(std::u16string_view text) const = 0;

    // The code page 932 form, with "?" in place of each character that has no such form.
    virtual std::vector<uint8_t> EncodeReplacing(std::u16string_view text) const = 0;

    // The text of the bytes. Decoding never stops: each byte that cannot be decoded becomes one
    // U+FFFD and decoding goes on with the next byte.
    virtual std::u16string Decode(std::span<const uint8_t> bytes) const = 0;
};

// The platform's implementation; safe to use from any thread.
const CodePage932& GetCodePage932();

} // namespace wirevane::platform
