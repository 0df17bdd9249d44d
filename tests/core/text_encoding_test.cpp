#include "core/text_encoding.h"
#include "platform/codepage.h"
#include "platform/utf_text.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace wirevane {
namespace {

Bytes Expand(std::string_view text)
{
    return ExpandEscapes(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

TEST(ExpandEscapes, EscapeTableAndNumbers)
{
    EXPECT_EQ(Expand(R"(\a\b\f\n\r\t\v\\\'\"\?)"),
              (Bytes{0x07, 0x08, 0x0C, 0x0A, 0x0D, 0x09, 0x0B, 0x5C, 0x27, 0x22, 0x3F}));
    EXPECT_EQ(Expand(R"(\x41\x4a)"), (Bytes{0x41, 0x4A}));
    EXPECT_EQ(Expand(R"(\o101\o777)"), (Bytes{0x41, 0xFF})); // all three octal digits count
    EXPECT_EQ(Expand(R"(\x-1\xg5)"), (Bytes{0xFF, 0x00}));   // sign read; no digit gives 0
    EXPECT_EQ(Expand(R"(\q)"), (Bytes{'q'}));
    // Past the end the last byte is read again.
    EXPECT_EQ(Expand(R"(\x4)"), (Bytes{0x44}));
    EXPECT_EQ(Expand("AB\\"), (Bytes{'A', 'B', 0x5C}));
    EXPECT_EQ(ExpandEscapes(Bytes{0x95, 0x5C, 'n'}), (Bytes{0x95, 0x0A})); // 表 ends in 0x5C
}

TEST(RowTextToBytes, EscapesPerEncodingTheZeroThatEndsTheDataAndCharactersWithoutACodePage932Form)
{
    EXPECT_EQ(RowTextToBytes(u"ABC\\r\\n", TextEncoding::Sjis),
              (Bytes{0x41, 0x42, 0x43, 0x0D, 0x0A}));
    EXPECT_EQ(RowTextToBytes(u"ABC\\r\\n", TextEncoding::Utf8),
              (Bytes{0x41, 0x42, 0x43, 0x5C, 0x72, 0x5C, 0x6E}));
    EXPECT_TRUE(RowTextToBytes(u"\\x00ABC", TextEncoding::Sjis).empty());
    EXPECT_TRUE(RowTextToBytes(u"\\x00ABC", TextEncoding::Utf8).empty());
    EXPECT_EQ(RowTextToBytes(u"ｱあ", TextEncoding::Euc), (Bytes{0x8E, 0xB1, 0xA4, 0xA2}));
    EXPECT_EQ(RowTextToBytes(u"あ", TextEncoding::Utf8), (Bytes{0xE3, 0x81, 0x82}));
    EXPECT_EQ(RowTextToBytes(u"A", static_cast<TextEncoding>(7)), (Bytes{'A'}));
    // Long rows are taken whole.
    EXPECT_EQ(RowTextToBytes(std::u16string(150, u'あ'), TextEncoding::Sjis).size(), 300u);
    EXPECT_EQ(RowTextToBytes(std::u16string(150, u'あ'), TextEncoding::Euc).size(), 300u);

    // A row is judged by the form it goes on the line in: UTF-8 carries every character, code page
    // 932 does not, and then the character that stops it is named.
    EXPECT_EQ(RowTextToBytes(u"café", TextEncoding::Utf8), (Bytes{0x63, 0x61, 0x66, 0xC3, 0xA9}));
    EXPECT_EQ(RowTextToBytes(u"A\u20AC", TextEncoding::Utf8), (Bytes{'A', 0xE2, 0x82, 0xAC}));
    EXPECT_EQ(RowTextUnencodable(u"café", TextEncoding::Utf8), std::nullopt);
    EXPECT_TRUE(RowTextToBytes(u"\\x00é", TextEncoding::Utf8).empty()); // an escaped zero ends it

    for (TextEncoding encoding :
         {TextEncoding::Sjis, TextEncoding::Euc, static_cast<TextEncoding>(7)}) {
        SCOPED_TRACE(static_cast<int>(encoding));
        EXPECT_TRUE(RowTextToBytes(u"café", encoding).empty());
        EXPECT_EQ(RowTextUnencodable(u"café µ", encoding), U'é');
        EXPECT_EQ(RowTextUnencodable(u"あ\U0001F600", encoding), U'\U0001F600');
        EXPECT_EQ(RowTextUnencodable(u"AT\\r あ", encoding), std::nullopt);
    }
}

TEST(CharLength, AgreesWithTheDecoder)
{
    // Every lead byte of a JIS X 0208 character is taken as a pair, and the pair decodes to
    // one character; every half-width katakana is taken alone and decodes alone.
    for (unsigned j1 = 0x21; j1 <= 0x74; ++j1) {
        const uint16_t sjis = JisToSjis(static_cast<uint16_t>(j1 * 256 + 0x21));
        const Bytes pair = {static_cast<uint8_t>(sjis >> 8), static_cast<uint8_t>(sjis & 0xFF)};
        EXPECT_EQ(CharLength(pair[0], TextEncoding::Sjis), 2) << j1;
        if (j1 >= 0x30) {
            EXPECT_EQ(DecodeForDisplay(pair, TextEncoding::Sjis).size(), 1u) << j1;
        }
    }
    for (int b = 0xA1; b <= 0xDF; ++b) {
        EXPECT_EQ(CharLength(static_cast<uint8_t>(b), TextEncoding::Sjis), 1);
        EXPECT_EQ(DecodeForDisplay(Bytes{static_cast<uint8_t>(b)}, TextEncoding::Sjis).size(), 1u);
    }
    EXPECT_EQ(CharLength(0xF0, TextEncoding::Sjis), 1);
    EXPECT_EQ(CharLength(0xE3, TextEncoding::Utf8), 3);
    EXPECT_EQ(CharLength(0xF4, TextEncoding::Utf8), 4);
    EXPECT_EQ(CharLength(0x8F, TextEncoding::Euc), 3);
    EXPECT_EQ(CharLength(0x8E, TextEncoding::Euc), 2);
}

// The terminal window's test covers the Enter choices it lists and the engine's test the row
// line ends; here, what a settings value outside the list and a typed character give.
TEST(TypedKeys, EncodeWholeCharactersByTheChosenEncodingAndAnUnknownEnterChoiceSendsCrLf)
{
    EXPECT_EQ(EnterKeyBytes(static_cast<EnterKeyEnd>(5)), (Bytes{0x0D, 0x0A}));
    EXPECT_EQ(TypedCharToBytes(u"\u20AC", TextEncoding::Sjis), Bytes{'?'});
    EXPECT_EQ(TypedCharToBytes(u"\u20AC", TextEncoding::Utf8), (Bytes{0xE2, 0x82, 0xAC}));
    EXPECT_EQ(TypedCharToBytes(u"あ", TextEncoding::Euc), (Bytes{0xA4, 0xA2}));
    // A character beyond 16 bits is typed as a surrogate pair, and goes out as one character.
    EXPECT_EQ(TypedCharToBytes(u"\U00020BB7", TextEncoding::Utf8), (Bytes{0xF0, 0xA0, 0xAE, 0xB7}));
    EXPECT_EQ(TypedCharToBytes(u"\U0001F600", TextEncoding::Sjis), Bytes{'?'});
    EXPECT_EQ(TypedCharToBytes(u"\U0001F600", TextEncoding::Euc), Bytes{'?'});
    EXPECT_EQ(UnitsOfCharacterAt(u"a\U0001F600", 0), 1u);
    EXPECT_EQ(UnitsOfCharacterAt(u"a\U0001F600", 1), 2u);
    EXPECT_EQ(UnitsOfCharacterAt(u"a\U0001F600", 2), 1u) << "a low half on its own";
    EXPECT_EQ(UnitsOfCharacterAt(std::u16string_view(u"\U0001F600").substr(0, 1), 0), 1u);
}

// Strict encoding fails where replacing encoding marks. Every platform's converter, and any
// shortcut for ASCII, must give ASCII back as it is, the zero and the backslash included.
TEST(CodePage932, StrictEncodeFailsReplacingEncodeMarksAndAsciiIsTheSameUnitsBothWays)
{
    const auto& cp = platform::GetCodePage932();
    EXPECT_FALSE(cp.EncodeStrict(u"a\u20ACb").has_value());
    EXPECT_EQ(cp.EncodeReplacing(u"a\u20ACb\U0001F600c"), (Bytes{'a', '?', 'b', '?', 'c'}));
    EXPECT_EQ(cp.Decode(*cp.EncodeStrict(u"日本語ｶﾅ")), u"日本語ｶﾅ");
    std::u16string text;
    Bytes bytes;
    for (char16_t unit = 0; unit < 0x80; ++unit) {
        text += unit;
        bytes.push_back(static_cast<uint8_t>(unit));
    }
    EXPECT_EQ(cp.EncodeStrict(text), bytes);
    EXPECT_EQ(cp.EncodeReplacing(text), bytes);
    EXPECT_EQ(cp.Decode(bytes), text);
    EXPECT_EQ(cp.Decode(Bytes{'A', 0xA0, 'B'}), u"A\uFFFDB");
}

// Every character code page 932 has, one byte or two, is encoded back to a form of itself; a long
// text with many characters without a form among others, as a record of a device's noise is,
// is encoded whole, each such character (a surrogate pair, a lone surrogate) one "?".
TEST(CodePage932, EveryCharacterComesBackAndALongTextOfManyWithoutAFormIsEncodedWhole)
{
    const auto& cp = platform::GetCodePage932();
    std::vector<Bytes> codes;
    for (int first = 0; first < 0x100; ++first) {
        codes.push_back({static_cast<uint8_t>(first)});
        for (int second = 0x40; second <= 0xFC; ++second)
            codes.push_back({static_cast<uint8_t>(first), static_cast<uint8_t>(second)});
    }
    int characters = 0;
    for (const Bytes& code : codes) {
        const std::u16string text = cp.Decode(code);
        if (text.size() != 1 || text == u"\uFFFD")
            continue;
        ++characters;
        const std::optional<Bytes> form = cp.EncodeStrict(text);
        ASSERT_TRUE(form.has_value()) << std::hex << int(code[0]) << " " << int(code.back());
        EXPECT_EQ(cp.Decode(*form), text) << std::hex << int(code[0]) << " " << int(code.back());
    }
    EXPECT_GT(characters, 7000);

    std::u16string noisy;
    Bytes expected;
    for (int i = 0; i < 250000; ++i) {
        noisy += u"\uFFFD日\U0001F600";
        noisy += char16_t{0xD800};
        noisy += u"a";
        expected.insert(expected.end(), {'?', 0x93, 0xFA, '?', '?', 'a'});
    }
    EXPECT_TRUE(cp.EncodeReplacing(noisy) == expected);
    EXPECT_FALSE(cp.EncodeStrict(noisy).has_value());
}

// Invalid bytes do not stop the rest. UTF-8 display takes a shortcut; it must show exactly what
// the trip through code page 932 shows.
TEST(DecodeForDisplay, InvalidBytesDoNotStopTheRestAndUtf8ShowsWhatCodePage932Keeps)
{
    EXPECT_EQ(DecodeForDisplay(Bytes{0x41, 0xA0, 0x42}, TextEncoding::Sjis), u"A\uFFFDB");
    EXPECT_EQ(DecodeForDisplay(Bytes{0x41, 0x82}, TextEncoding::Sjis), u"A\uFFFD");
    EXPECT_EQ(DecodeForDisplay(Bytes{0xE2, 0x82, 0xAC, 0x41}, TextEncoding::Utf8), u"?A");
    EXPECT_EQ(DecodeForDisplay(Bytes{0xA4, 0xA2}, TextEncoding::Euc), u"あ");
    std::u16string all;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c < 0xD800 || c > 0xDFFF)
            all.push_back(static_cast<char16_t>(c));
    }
    all += u"\U0001F600";
    Bytes encoded;
    platform::AppendUtf8(all, encoded);
    encoded.push_back(0xFF);
    EXPECT_EQ(DecodeForDisplay(encoded, TextEncoding::Utf8),
              platform::GetCodePage932().Decode(Utf8ToAnsi(encoded)));
}

} // namespace
} // namespace wirevane
