#include "platform/utf_text.h"

namespace wirevane::platform {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

void appendCodePoint(char32_t cp, std::u16string& out)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

} // namespace

std::u16string DecodeUtf8(std::span<const uint8_t> bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    ForEachUtf8CodePoint(bytes, [&out](char32_t cp) { appendCodePoint(cp, out); });
    return out;
}

void AppendUtf8(std::u16string_view text, std::vector<uint8_t>& out)
{
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            // A lone surrogate has no UTF-8 form.
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<uint8_t>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<uint8_t>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<uint8_t>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<uint8_t>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
        }
    }
}

std::u16string DecodeUtf16Le(std::span<const uint8_t> bytes)
{
    std::u16string out;
    out.reserve(bytes.size() / 2 + 1);
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        out.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    if (i < bytes.size()) {
        out.push_back(kReplacement);
    }
    return out;
}

void AppendUtf16Le(std::u16string_view text, std::vector<uint8_t>& out)
{
    for (char16_t unit : text) {
        out.push_back(static_cast<uint8_t>(unit & 0xFF));
        out.push_back(static_cast<uint8_t>(unit >> 8));
    }
}

} // namespace wirevane::platform
