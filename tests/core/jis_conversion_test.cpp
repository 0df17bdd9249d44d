#include "core/text_encoding.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

std::u16string Decode(uint16_t code)
{
    const uint8_t bytes[] = {static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code & 0xFF)};
    return platform::GetCodePage932().Decode(bytes);
}

bool IsTrail(unsigned trail)
{
    return trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
}

// Code page 932 has a second, IBM, code for each of these characters; JIS X 0208 and so EUC-JP
// know only the NEC one. Each IBM code must land on the JIS code whose Shift_JIS form is the
// same character, so the code page's own decoder is the judge of every row.
TEST(JisConversion, EveryIbmExtensionCodeBecomesTheNecCodeOfItsCharacterAndOtherCodesGoThereAndBack)
{
    int checked = 0;
    for (unsigned lead = 0xFA; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= (lead == 0xFC ? 0x4B : 0xFC); ++trail) {
            if (!IsTrail(trail))
                continue;
            const auto ibm = static_cast<uint16_t>(lead << 8 | trail);
            const std::u16string character = Decode(ibm);
            ASSERT_EQ(character.size(), 1u) << std::hex << ibm;
            ASSERT_NE(character[0], u'\uFFFD') << std::hex << ibm;
            const uint16_t jis = SjisToJis(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
            ASSERT_NE(jis, 0) << std::hex << ibm;
            const uint16_t nec = JisToSjis(jis);
            EXPECT_LT(nec >> 8, 0xFAu) << std::hex << ibm;
            EXPECT_EQ(Decode(nec), character) << std::hex << ibm << " became " << nec;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 388);
    // EUC-JP gets the same bytes for either code of a character.
    EXPECT_EQ(SjisToEuc(Bytes{0xFA, 0x40}), SjisToEuc(Bytes{0xEE, 0xEF}));

    // Outside the IBM rows every Shift_JIS code of JIS X 0208's range has a JIS code that leads
    // back to it, also by way of EUC-JP; a byte pair that is not Shift_JIS has none.
    for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
        if (lead >= 0xA0 && lead <= 0xDF)
            continue;
        for (unsigned trail = 0; trail < 256; ++trail) {
            const uint16_t jis = SjisToJis(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
            if (!IsTrail(trail)) {
                EXPECT_EQ(jis, 0) << std::hex << lead << ' ' << trail;
                continue;
            }
            EXPECT_NE(jis, 0) << std::hex << lead << ' ' << trail;
            EXPECT_EQ(JisToSjis(jis), lead << 8 | trail) << std::hex << lead << ' ' << trail;
            const Bytes sjis = {static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)};
            EXPECT_EQ(EucToSjis(SjisToEuc(sjis)), sjis) << std::hex << lead << ' ' << trail;
        }
    }
    EXPECT_EQ(SjisToJis(0x82, 0xA0), 0x2422); // あ
    EXPECT_EQ(SjisToJis(0xA0, 0x40), 0);
    EXPECT_EQ(SjisToJis(0xFC, 0x4C), 0); // past the IBM rows
    EXPECT_EQ(SjisToJis(0xF0, 0x40), 0); // user-defined area
}

} // namespace
} // namespace wirevane
