#include "core/cp932_display_table.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

std::u16string TableDecode(std::span<const uint8_t> bytes)
{
    std::u16string out;
    Cp932DisplayTable::instance().decodeAppend(bytes, out);
    return out;
}

// The table must be indistinguishable from the converter it was built from, including where a
// lead byte meets a byte that cannot follow it.
TEST(Cp932DisplayTable, DecodesAsTheConverterDoesAppendsAndShowsCharactersAsTheirCodePage932Form)
{
    const platform::CodePage932& cp932 = platform::GetCodePage932();
    for (unsigned first = 0; first < 256; ++first) {
        const uint8_t one[] = {static_cast<uint8_t>(first)};
        ASSERT_EQ(TableDecode(one), cp932.Decode(one)) << first;
        for (unsigned second = 0; second < 256; ++second) {
            const uint8_t two[] = {static_cast<uint8_t>(first), static_cast<uint8_t>(second)};
            ASSERT_EQ(TableDecode(two), cp932.Decode(two)) << first << ' ' << second;
        }
    }

    // It appends, and shows characters as their code page 932 form.
    const Cp932DisplayTable& table = Cp932DisplayTable::instance();
    const uint8_t kana[] = {0x83, 0x41};
    std::u16string out = u"x";
    table.decodeAppend(kana, out);
    EXPECT_EQ(out, u"xア");
    EXPECT_EQ(table.shownAs(U'ア'), u'ア');
    EXPECT_EQ(table.shownAs(U'é'), u'?');
    EXPECT_EQ(table.shownAs(U'😀'), u'?');
}

} // namespace
} // namespace wirevane
