#include "core/cp932_display_table.h"

#include "platform/codepage.h"

namespace wirevane {

const Cp932DisplayTable& Cp932DisplayTable::instance()
{
    static const Cp932DisplayTable table;
    return table;
}

Cp932DisplayTable::Cp932DisplayTable() : m_pair(0x10000, kNoPair), m_shown(0x10000, u'?')
{
    const platform::CodePage932& cp932 = platform::GetCodePage932();
    for (unsigned b = 0; b < 256; ++b) {
        const uint8_t one[] = {static_cast<uint8_t>(b)};
        const std::u16string text = cp932.Decode(one);
        m_single[b] = text.size() == 1 ? text[0] : u'\uFFFD';
    }
    for (unsigned lead = 0x80; lead < 256; ++lead) {
        if (m_single[lead] != u'\uFFFD')
            continue;
        for (unsigned trail = 0; trail < 256; ++trail) {
            const uint8_t two[] = {static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)};
            const std::u16string text = cp932.Decode(two);
            if (text.size() != 1)
                continue;
            m_pair[lead << 8 | trail] = text[0];
            m_isLead[lead] = true;
        }
    }
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const char16_t unit = static_cast<char16_t>(c);
        const auto bytes = cp932.EncodeStrict(std::u16string_view(&unit, 1));
        if (!bytes)
            continue;
        const std::u16string back = cp932.Decode(*bytes);
        if (back.size() == 1)
            m_shown[c] = back[0];
    }
}

void Cp932DisplayTable::decodeAppend(std::span<const uint8_t> bytes, std::u16string& out) const
{
    // Each byte gives at most one character, so the text is written without growth checks.
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    char16_t* o = out.data() + start;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const uint8_t b = bytes[i];
        if (m_isLead[b] && i + 1 < n) {
            const char16_t c = m_pair[static_cast<std::size_t>(b) << 8 | bytes[i + 1]];
            if (c != kNoPair) {
                *o++ = c;
                i += 2;
                continue;
            }
        }
        // A lead byte without a trail byte that completes it is undecodable on its own, so the
        // converter gives U+FFFD for it and goes on with the byte after it.
        *o++ = m_single[b];
        ++i;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
}

} // namespace wirevane
