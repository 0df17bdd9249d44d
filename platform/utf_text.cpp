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

std::u16string decodeUtf8(std::span<const uint8_t> bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        uint8_t lead = bytes[i];
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        int length = 0;
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
        bool valid = length != 0 && i + length <= bytes.size();
        for (int k = 1; valid && k < length; ++k) {
            uint8_t next = bytes[i + k];
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        valid = valid && cp >= minimum && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        if (!valid) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        appendCodePoint(cp, out);
        i += length;
    }
    return out;
}

void appendUtf8(std::u16string_view text, std::vector<uint8_t>& out)
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

std::u16string decodeUtf16Le(std::span<const uint8_t> bytes)
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

void appendUtf16Le(std::u16string_view text, std::vector<uint8_t>& out)
{
    for (char16_t unit : text) {
        out.push_back(static_cast<uint8_t>(unit & 0xFF));
        out.push_back(static_cast<uint8_t>(unit >> 8));
    }
}

} // namespace wirevane::platform
