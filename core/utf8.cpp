#include "core/utf8.h"

namespace wirevane {

namespace {

void PutUtf8(char32_t cp, std::vector<uint8_t>& out)
{
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

void PutUtf16(char32_t cp, std::u16string& out)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 | (cp & 0x3FF)));
    }
}

} // namespace

std::vector<uint8_t> Utf16ToUtf8(std::u16string_view text)
{
    std::vector<uint8_t> out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        PutUtf8(cp, out);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::span<const uint8_t> bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
        const uint8_t c = bytes[i];
        int length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (c < 0x80) {
            length = 1;
            cp = c;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            cp = c & 0x1F;
            minimum = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            cp = c & 0x0F;
            minimum = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            cp = c & 0x07;
            minimum = 0x10000;
        }
        bool ok = length > 0 && i + static_cast<std::size_t>(length) <= n;
        for (int k = 1; ok && k < length; ++k) {
            const uint8_t t = bytes[i + static_cast<std::size_t>(k)];
            ok = (t & 0xC0) == 0x80;
            cp = (cp << 6) | (t & 0x3F);
        }
        ok = ok && cp >= minimum && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        if (!ok) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        PutUtf16(cp, out);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

} // namespace wirevane
