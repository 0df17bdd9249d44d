#include "core/text_encoding.h"

#include "platform/codepage.h"
#include "platform/utf_text.h"

#include <algorithm>

namespace wirevane {

namespace {

Bytes Utf16ToUtf8(std::u16string_view text)
{
    Bytes out;
    platform::appendUtf8(text, out);
    return out;
}

std::span<const uint8_t> UpToFirstZero(std::span<const uint8_t> bytes)
{
    const auto zero = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    return bytes.first(static_cast<std::size_t>(zero - bytes.begin()));
}

// What each BMP character shows as after the trip through code page 932: itself, its code page
// 932 twin, or "?". Built once, so UTF-8 display needs one pass instead of three conversions.
const std::vector<char16_t>& DisplayThroughCp932()
{
    static const std::vector<char16_t> table = [] {
        const platform::CodePage932& cp932 = platform::codePage932();
        std::vector<char16_t> shown(0x10000, u'?');
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const char16_t unit = static_cast<char16_t>(c);
            const auto bytes = cp932.encodeStrict(std::u16string_view(&unit, 1));
            if (!bytes)
                continue;
            const std::u16string back = cp932.decode(*bytes);
            if (back.size() == 1)
                shown[c] = back[0];
        }
        return shown;
    }();
    return table;
}

std::u16string Utf8ThroughCp932(std::span<const uint8_t> run)
{
    const std::vector<char16_t>& shown = DisplayThroughCp932();
    const std::u16string text = platform::decodeUtf8(UpToFirstZero(run));
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            out.push_back(u'?'); // a character beyond the BMP has no code page 932 form
            ++i;
            continue;
        }
        out.push_back(shown[unit]);
    }
    return out;
}

} // namespace

// The whole row is sent: a device command cut at 255 bytes would be a wrong command.
Bytes RowTextToBytes(std::u16string_view text, TextEncoding encoding)
{
    const auto sjis = platform::codePage932().encodeStrict(text);
    if (!sjis)
        return {};
    const Bytes expanded = ExpandEscapes(*sjis);
    const auto data = UpToFirstZero(expanded);
    if (data.empty())
        return {};
    switch (encoding) {
    case kEncodingUtf8:
        return Utf16ToUtf8(text);
    case kEncodingEuc:
        return SjisToEuc(data);
    default:
        return Bytes(data.begin(), data.end());
    }
}

Bytes Utf8ToAnsi(std::span<const uint8_t> in)
{
    return platform::codePage932().encodeReplacing(platform::decodeUtf8(UpToFirstZero(in)));
}

Bytes LineEndBytes(LineEndSuffix suffix)
{
    switch (suffix) {
    case 0:
        return {};
    case 1:
        return {0x0D};
    case 3:
        return {0x0A};
    default:
        return {0x0D, 0x0A};
    }
}

Bytes TypedCharToBytes(char16_t ch, TextEncoding encoding)
{
    const std::u16string_view one(&ch, 1);
    const Bytes ansi = platform::codePage932().encodeReplacing(one);
    switch (encoding) {
    case kEncodingUtf8:
        return Utf16ToUtf8(one);
    case kEncodingEuc:
        return SjisToEuc(ansi);
    default:
        return ansi;
    }
}

Bytes EnterKeyBytes(int32_t sendLineEnd)
{
    switch (sendLineEnd) {
    case 0:
        return {0x0D};
    case 2:
        return {0x0A};
    default:
        return {0x0D, 0x0A};
    }
}

int CharLength(uint8_t b, TextEncoding encoding)
{
    switch (encoding) {
    case kEncodingSjis:
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF) ? 2 : 1;
    case kEncodingUtf8:
        if (b >= 0xC0 && b <= 0xDF)
            return 2;
        if (b >= 0xE0 && b <= 0xEF)
            return 3;
        if (b >= 0xF0 && b <= 0xF7)
            return 4;
        return 1;
    case kEncodingEuc:
        if (b == 0x8E || (b >= 0xA1 && b <= 0xFE))
            return 2;
        return b == 0x8F ? 3 : 1;
    default:
        return 1;
    }
}

std::u16string DecodeForDisplay(std::span<const uint8_t> run, TextEncoding encoding)
{
    const platform::CodePage932& cp932 = platform::codePage932();
    switch (encoding) {
    case kEncodingUtf8:
        return Utf8ThroughCp932(run);
    case kEncodingEuc:
        return cp932.decode(EucToSjis(run));
    default:
        return cp932.decode(run);
    }
}

} // namespace wirevane
