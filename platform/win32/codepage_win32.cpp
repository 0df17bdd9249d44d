#include "platform/codepage.h"

#include <windows.h>

namespace wirevane::platform {

namespace {

constexpr UINT kShiftJis = 932;

const wchar_t* Wide(std::u16string_view text)
{
    return reinterpret_cast<const wchar_t*>(text.data());
}

// Both encoding forms call WideCharToMultiByte with WC_NO_BEST_FIT_CHARS and the default
// character "?": without the flag the system writes a look-alike for a character code page 932
// lacks ("e" for "é"), and the text would change without a sign. The strict form asks for the
// used-default flag and refuses the result when any character fell back to "?"; the replacing
// form keeps the "?"s. Code page 932 has nothing outside the BMP, so a surrogate pair is one
// character without a form; it is handed over as the noncharacter U+FFFF, which has none
// either, and so becomes one "?", as a lone surrogate does.
std::vector<uint8_t> Encode(std::u16string_view text, BOOL* usedDefault)
{
    if (text.empty())
        return {};
    std::u16string units;
    units.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        units.push_back(pair ? u'\uFFFF' : text[i]);
        i += pair ? 1 : 0;
    }
    const int length = static_cast<int>(units.size());
    const int size = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, Wide(units), length,
                                         nullptr, 0, "?", usedDefault);
    std::vector<uint8_t> out(static_cast<std::size_t>(size));
    WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, Wide(units), length,
                        reinterpret_cast<char*>(out.data()), size, "?", usedDefault);
    return out;
}

// One character's bytes of code page 932: a lead byte (0x81-0x9F, 0xE0-0xFC) takes the next
// byte with it.
std::size_t CharacterLength(std::span<const uint8_t> bytes, std::size_t at)
{
    return IsDBCSLeadByteEx(kShiftJis, bytes[at]) && at + 1 < bytes.size() ? 2 : 1;
}

class Win32CodePage932 final : public CodePage932 {
public:
    std::optional<std::vector<uint8_t>> EncodeStrict(std::u16string_view text) const override
    {
        BOOL usedDefault = FALSE;
        std::vector<uint8_t> out = Encode(text, &usedDefault);
        if (usedDefault)
            return std::nullopt;
        return out;
    }

    std::vector<uint8_t> EncodeReplacing(std::u16string_view text) const override
    {
        return Encode(text, nullptr);
    }

    // MultiByteToWideChar with MB_ERR_INVALID_CHARS fails a whole buffer on its first bad byte,
    // and without it maps bad bytes to characters of its own choosing, so each character is
    // decoded on its own with the flag: a byte it refuses becomes one U+FFFD and decoding goes
    // on with the next byte, as on every platform.
    std::u16string Decode(std::span<const uint8_t> bytes) const override
    {
        std::u16string out;
        out.reserve(bytes.size());
        std::size_t at = 0;
        while (at < bytes.size()) {
            // Runs of ASCII need no look-up, and are most of what a port receives.
            if (bytes[at] < 0x80) {
                out.push_back(static_cast<char16_t>(bytes[at]));
                ++at;
                continue;
            }
            const std::size_t length = CharacterLength(bytes, at);
            wchar_t decoded[2];
            const int got = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS,
                                                reinterpret_cast<const char*>(bytes.data() + at),
                                                static_cast<int>(length), decoded, 2);
            if (got == 1) {
                out.push_back(static_cast<char16_t>(decoded[0]));
                at += length;
            } else {
                out.push_back(u'\uFFFD');
                ++at;
            }
        }
        return out;
    }
};

} // namespace

const CodePage932& GetCodePage932()
{
    static const Win32CodePage932 instance;
    return instance;
}

} // namespace wirevane::platform
