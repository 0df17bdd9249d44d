#include "core/text_encoding.h"

#include "core/cp932_display_table.h"
#include "platform/codepage.h"
#include "platform/utf_text.h"

#include <algorithm>
#include <iterator>

namespace wirevane {

namespace {

constexpr std::u16string_view kTextEncodingNames[] = {u"SJIS", u"UTF-8", u"EUC"};

static_assert(std::size(kTextEncodingNames) == std::size(kTextEncodings));

Bytes Utf16ToUtf8(std::u16string_view text)
{
    Bytes out;
    platform::AppendUtf8(text, out);
    return out;
}

std::span<const uint8_t> UpToFirstZero(std::span<const uint8_t> bytes)
{
    const auto zero = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    return bytes.first(static_cast<std::size_t>(zero - bytes.begin()));
}

std::u16string Utf8ThroughCp932(std::span<const uint8_t> run)
{
    // Each byte gives at most one character, so the text is written without growth checks.
    const Cp932DisplayTable& table = Cp932DisplayTable::instance();
    std::u16string out(run.size(), u'\0');
    char16_t* o = out.data();
    platform::ForEachUtf8CodePoint(UpToFirstZero(run),
                                   [&](char32_t cp) { *o++ = table.shownAs(cp); });
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

// EUC-JP is shown through its Shift_JIS form, converted a piece at a time so both passes stay in
// the cache. A piece ends after an ASCII byte: the conversion never carries a sequence across one,
// and a byte below 0x80 never begins a two-byte Shift_JIS character either.
std::u16string EucThroughCp932(std::span<const uint8_t> run)
{
    constexpr std::size_t kPiece = std::size_t{16} * 1024;
    const Cp932DisplayTable& table = Cp932DisplayTable::instance();
    std::u16string out;
    out.reserve(run.size());
    while (!run.empty()) {
        std::size_t end = std::min(kPiece, run.size());
        while (end < run.size() && run[end - 1] >= 0x80)
            ++end;
        table.decodeAppend(EucToSjis(run.first(end)), out);
        run = run.subspan(end);
    }
    return out;
}

} // namespace

bool IsNamed(TextEncoding encoding)
{
    return encoding >= TextEncoding::Sjis && encoding <= TextEncoding::Euc;
}

TextEncoding ShownEncoding(TextEncoding encoding)
{
    return IsNamed(encoding) ? encoding : TextEncoding::Sjis;
}

std::u16string_view TextEncodingName(TextEncoding encoding)
{
    return kTextEncodingNames[static_cast<std::size_t>(ShownEncoding(encoding))];
}

bool IsNamed(LineEndSuffix suffix)
{
    return suffix >= LineEndSuffix::None && suffix <= LineEndSuffix::Lf;
}

// The whole row is sent: a device command cut at 255 bytes would be a wrong command. The
// emptiness test looks at the form that goes on the line, so a UTF-8 row is never judged by a
// code page 932 form it does not need.
Bytes RowTextToBytes(std::u16string_view text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) {
        Bytes utf8 = Utf16ToUtf8(text);
        if (UpToFirstZero(ExpandEscapes(utf8)).empty())
            return {};
        return utf8;
    }
    const auto sjis = platform::GetCodePage932().EncodeStrict(text);
    if (!sjis)
        return {};
    Bytes expanded = ExpandEscapes(*sjis);
    expanded.resize(UpToFirstZero(expanded).size());
    if (encoding == TextEncoding::Euc)
        return SjisToEuc(expanded);
    return expanded;
}

std::optional<char32_t> RowTextUnencodable(std::u16string_view text, TextEncoding encoding)
{
    // Every encoding carries ASCII, and most rows are nothing else.
    if (encoding == TextEncoding::Utf8 ||
        std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; }))
        return std::nullopt;
    const platform::CodePage932& codePage = platform::GetCodePage932();
    if (codePage.EncodeStrict(text))
        return std::nullopt;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = UnitsOfCharacterAt(text, at);
        if (!codePage.EncodeStrict(text.substr(at, length))) {
            if (length == 2)
                return 0x10000 + ((char32_t{text[at]} - 0xD800) << 10) +
                       (char32_t{text[at + 1]} - 0xDC00);
            return text[at];
        }
        at += length;
    }
    return std::nullopt;
}

Bytes Utf8ToAnsi(std::span<const uint8_t> in)
{
    return platform::GetCodePage932().EncodeReplacing(platform::DecodeUtf8(UpToFirstZero(in)));
}

std::span<const uint8_t> LineEndBytes(LineEndSuffix suffix)
{
    static constexpr uint8_t kCrLf[] = {0x0D, 0x0A};
    switch (suffix) {
    case LineEndSuffix::None:
        return {};
    case LineEndSuffix::Cr:
        return std::span(kCrLf).first(1);
    case LineEndSuffix::Lf:
        return std::span(kCrLf).last(1);
    default:
        return kCrLf;
    }
}

std::size_t UnitsOfCharacterAt(std::u16string_view text, std::size_t at)
{
    const bool pair = at + 1 < text.size() && text[at] >= 0xD800 && text[at] <= 0xDBFF &&
                      text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

Bytes TypedCharToBytes(std::u16string_view character, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return Utf16ToUtf8(character);
    case TextEncoding::Euc:
        return SjisToEuc(platform::GetCodePage932().EncodeReplacing(character));
    default:
        return platform::GetCodePage932().EncodeReplacing(character);
    }
}

Bytes EnterKeyBytes(EnterKeyEnd end)
{
    switch (end) {
    case EnterKeyEnd::Cr:
        return {0x0D};
    case EnterKeyEnd::Lf:
        return {0x0A};
    default:
        return {0x0D, 0x0A};
    }
}

int CharLength(uint8_t b, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Sjis:
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF) ? 2 : 1;
    case TextEncoding::Utf8:
        if (b >= 0xC0 && b <= 0xDF)
            return 2;
        if (b >= 0xE0 && b <= 0xEF)
            return 3;
        if (b >= 0xF0 && b <= 0xF7)
            return 4;
        return 1;
    case TextEncoding::Euc:
        if (b == 0x8E || (b >= 0xA1 && b <= 0xFE))
            return 2;
        return b == 0x8F ? 3 : 1;
    default:
        return 1;
    }
}

std::u16string DecodeForDisplay(std::span<const uint8_t> run, TextEncoding encoding)
{
    std::u16string out;
    switch (encoding) {
    case TextEncoding::Utf8:
        return Utf8ThroughCp932(run);
    case TextEncoding::Euc:
        return EucThroughCp932(run);
    default:
        Cp932DisplayTable::instance().decodeAppend(run, out);
        return out;
    }
}

} // namespace wirevane
