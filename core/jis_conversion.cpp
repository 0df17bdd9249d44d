#include "core/text_encoding.h"

namespace wirevane {

namespace {

bool IsSjisLead(uint8_t c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsSjisTrail(uint8_t c)
{
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// Code page 932 keeps the IBM extension characters twice; JIS X 0208 knows only the NEC codes.
unsigned IbmToNec(unsigned c)
{
    if (c >= 0xFA40 && c <= 0xFA49)
        return c - 0x0B51;
    if (c >= 0xFA4A && c <= 0xFA53)
        return c - 0x72F6;
    if (c >= 0xFA54 && c <= 0xFA57)
        return c - 0x0B5B;
    switch (c) {
    case 0xFA58:
        return 0x878A;
    case 0xFA59:
        return 0x8782;
    case 0xFA5A:
        return 0x8784;
    case 0xFA5B:
        return 0x879A;
    default:
        break;
    }
    if ((c >= 0xFA5C && c <= 0xFA7E) || (c >= 0xFA9C && c <= 0xFAFC) ||
        (c >= 0xFB5C && c <= 0xFB7E) || (c >= 0xFB9C && c <= 0xFBFC))
        return c - 0x0D1C;
    if ((c >= 0xFA80 && c <= 0xFA9B) || (c >= 0xFB80 && c <= 0xFB9B))
        return c - 0x0D1D;
    if ((c >= 0xFB40 && c <= 0xFB5B) || (c >= 0xFC40 && c <= 0xFC4B))
        return c - 0x0D5F;
    return c;
}

} // namespace

uint16_t SjisToJis(uint8_t lead, uint8_t trail)
{
    if (!IsSjisLead(lead) || !IsSjisTrail(trail))
        return 0;
    unsigned c = lead * 256u + trail;
    if (lead == 0xFA || lead == 0xFB || (lead == 0xFC && trail <= 0x4B))
        c = IbmToNec(c);
    const unsigned s1 = c >> 8;
    const unsigned s2 = c & 0xFF;
    const unsigned k = s1 <= 0x9F ? 0x81 : 0xC1;
    unsigned j1 = 0;
    unsigned j2 = 0;
    if (s2 >= 0x9F) {
        j1 = 2 * (s1 - k) + 0x22;
        j2 = s2 - 0x7E;
    } else {
        j1 = 2 * (s1 - k) + 0x21;
        j2 = s2 <= 0x7E ? s2 - 0x1F : s2 - 0x20;
    }
    const unsigned j = j1 * 256 + j2;
    if (j < 0x2121 || j > 0x7E7E || j2 < 0x21 || j2 > 0x7E)
        return 0;
    return static_cast<uint16_t>(j);
}

uint16_t JisToSjis(uint16_t jis)
{
    const unsigned j1 = jis >> 8;
    const unsigned j2 = jis & 0xFF;
    if (j1 < 0x21 || j1 > 0x7E || j2 < 0x21 || j2 > 0x7E)
        return 0;
    const unsigned row = (j1 - 0x21) >> 1;
    const unsigned s1 = row + (row >= 31 ? 0xC1 : 0x81);
    unsigned s2 = 0;
    if (j1 & 1)
        s2 = j2 < 0x60 ? j2 + 0x1F : j2 + 0x20;
    else
        s2 = j2 + 0x7E;
    return static_cast<uint16_t>(s1 * 256 + s2);
}

Bytes SjisToEuc(std::span<const uint8_t> in)
{
    Bytes out;
    out.reserve(in.size() * 2);
    const std::size_t n = in.size();
    for (std::size_t i = 0; i < n;) {
        const uint8_t c = in[i];
        const uint8_t d = i + 1 < n ? in[i + 1] : 0;
        if (IsSjisLead(c) && IsSjisTrail(d)) {
            const uint16_t j = SjisToJis(c, d);
            if (j == 0) {
                out.push_back(c);
                out.push_back(d);
            } else {
                out.push_back(static_cast<uint8_t>((j >> 8) | 0x80));
                out.push_back(static_cast<uint8_t>((j & 0xFF) | 0x80));
            }
            i += 2;
        } else if (c < 0x80) {
            out.push_back(c);
            i += 1;
        } else {
            out.push_back(0x8E);
            out.push_back(c);
            i += 1;
        }
    }
    return out;
}

Bytes EucToSjis(std::span<const uint8_t> in)
{
    // Never longer than the input, so it is written in place without growth checks: this sits
    // on the display path of everything an EUC-JP device sends.
    Bytes out(in.size());
    uint8_t* o = out.data();
    const std::size_t n = in.size();
    for (std::size_t i = 0; i < n;) {
        const uint8_t c = in[i];
        if (c == 0x8E && i + 1 < n) {
            *o++ = in[i + 1];
            i += 2;
        } else if (c >= 0xA1 && c <= 0xFE && i + 1 < n && in[i + 1] >= 0xA1 && in[i + 1] <= 0xFE) {
            const uint16_t s =
                JisToSjis(static_cast<uint16_t>(((c & 0x7F) << 8) | (in[i + 1] & 0x7F)));
            *o++ = static_cast<uint8_t>(s >> 8);
            *o++ = static_cast<uint8_t>(s & 0xFF);
            i += 2;
        } else {
            *o++ = c;
            i += 1;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

} // namespace wirevane
