#include "platform/ini_document.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wirevane::platform {
namespace {

std::vector<uint8_t> bytesOf(std::string_view text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string textOf(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

IniDocument parsed(std::string_view text)
{
    return IniDocument::parse(bytesOf(text));
}

TEST(IniDocumentRead, FollowsTheNativeReader)
{
    IniDocument doc = parsed("; comment\r\n[Serial]\r\n  Port =  COM3  \r\nBaud=115200\r\n"
                             "port=second\r\nQuoted=\"  padded  \"\r\nSingle='x'\r\nLonely=\"\r\n"
                             "Empty=\r\nMixed=12abc\r\nWord=abc\r\nNegative= -42\r\n"
                             "[serial]\r\nShadowed=yes\r\n");
    EXPECT_EQ(doc.readString(u"SERIAL", u"PORT", u"x"), u"COM3");
    EXPECT_EQ(doc.readString(u"serial", u"quoted", u"x"), u"  padded  ");
    EXPECT_EQ(doc.readString(u"Serial", u"Single", u"x"), u"x");
    EXPECT_EQ(doc.readString(u"Serial", u"Lonely", u"x"), u"\"");
    EXPECT_EQ(doc.readString(u"Serial", u"Empty", u"x"), u"");
    EXPECT_EQ(doc.readString(u"Serial", u"Missing", u"fallback"), u"fallback");
    EXPECT_EQ(doc.readString(u"Nowhere", u"Port", u"fallback"), u"fallback");
    // The first section of a name wins; a later one with the same name is not looked at.
    EXPECT_EQ(doc.readString(u"Serial", u"Shadowed", u"no"), u"no");

    EXPECT_EQ(doc.readInt(u"Serial", u"Baud", 1), 115200);
    EXPECT_EQ(doc.readInt(u"Serial", u"Mixed", 1), 12);
    EXPECT_EQ(doc.readInt(u"Serial", u"Word", 1), 0);
    EXPECT_EQ(doc.readInt(u"Serial", u"Negative", 1), -42);
    EXPECT_EQ(doc.readInt(u"Serial", u"Empty", 7), 7);
    EXPECT_EQ(doc.readInt(u"Serial", u"Missing", 9600), 9600);
}

// A line costs memory whatever its length, so the lines are counted, in every form of the file;
// a last line without a break counts as well.
TEST(IniDocumentRead, ReadsNoMoreThanTheLineLimit)
{
    const std::string atLimit = "[S]\nk=v\n" + std::string(IniDocument::kLineLimit - 3, '\n') + "x";
    const IniDocument full = parsed(atLimit);
    EXPECT_TRUE(full.complete());
    EXPECT_EQ(full.readString(u"S", u"k", u""), u"v");
    EXPECT_FALSE(parsed(atLimit + "\ny").complete());
    EXPECT_FALSE(parsed(std::string(IniDocument::kLineLimit + 1, '\r')).complete());

    std::vector<uint8_t> utf16{0xFF, 0xFE};
    for (std::size_t i = 0; i <= IniDocument::kLineLimit; ++i)
        utf16.insert(utf16.end(), {'\r', 0, '\n', 0});
    EXPECT_FALSE(IniDocument::parse(utf16).complete());
    utf16.resize(utf16.size() - 4);
    EXPECT_TRUE(IniDocument::parse(utf16).complete());
}

TEST(IniDocumentEdit, ReplacesInPlaceAndAppendsAtTheEnds)
{
    IniDocument doc = parsed("; kept comment\n[A]\none=1\njunk line without equals\ntwo=2\n\n"
                             "[B]\nx=y\n");
    doc.writeInt(u"a", u"ONE", 10);
    doc.writeString(u"A", u"three", u"3");
    doc.writeString(u"C", u"new", u"value");
    EXPECT_EQ(textOf(doc.serialize()), "; kept comment\n[A]\none=10\njunk line without equals\n"
                                       "two=2\nthree=3\n\n[B]\nx=y\n[C]\nnew=value\n");

    doc.deleteSection(u"a");
    doc.writeInt(u"D", u"n", -5);
    EXPECT_EQ(textOf(doc.serialize()), "; kept comment\n[B]\nx=y\n[C]\nnew=value\n[D]\nn=-5\n");
}

TEST(IniDocumentValues, ReadBackExactlyAsWritten)
{
    const std::u16string values[] = {
        u" AT ",   u"\"ON\"", u"'x'",  u"\"",        u"",    u"a=b=c",    u"[not a section]",
        u"; not",  u"\t",     u"\"\"", u"\"half",    u"x\"", u"'mixed\"", u"日本語 テキスト",
        u"　全角", u"end ",   u" ",    u"a ; b # c",
    };
    const auto key = [](size_t i) { return u"k" + std::u16string(1, char16_t(u'a' + i)); };
    IniDocument doc;
    for (size_t i = 0; i < std::size(values); ++i)
        doc.writeString(u"Values", key(i), values[i]);
    const std::u16string longText(5000, u'あ');
    doc.writeString(u"Values", u"long", longText);
    IniDocument reread = IniDocument::parse(doc.serialize());
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(reread.readString(u"Values", key(i), u"?"), values[i]) << "value " << i;
    EXPECT_EQ(reread.readString(u"Values", u"long", u""), longText) << "not cut";
}

TEST(IniDocumentValues, LineBreaksCannotInjectLines)
{
    IniDocument doc;
    doc.writeString(u"Row", u"DATA", u"abc\r\n[SERIAL]\nPORT=evil");
    IniDocument reread = IniDocument::parse(doc.serialize());
    EXPECT_EQ(reread.sectionNames(), std::vector<std::u16string>{u"Row"});
    EXPECT_EQ(reread.readString(u"Row", u"DATA", u""), u"abc  [SERIAL] PORT=evil");
}

TEST(IniDocumentEncoding, ReadsAndWritesCodePage932)
{
    // "[行]" / "名前=日本語" as the native program writes them.
    const std::vector<uint8_t> native =
        bytesOf("[\x8D\x73]\r\n\x96\xBC\x91\x4F=\x93\xFA\x96\x7B\x8C\xEA\r\n");
    IniDocument doc = IniDocument::parse(native);
    EXPECT_EQ(doc.form(), IniTextForm::CodePage932);
    EXPECT_EQ(doc.readString(u"行", u"名前", u""), u"日本語");
    EXPECT_EQ(doc.serialize(), native);

    doc.writeString(u"行", u"名前", u"表");
    EXPECT_EQ(textOf(doc.serialize()), "[\x8D\x73]\r\n\x96\xBC\x91\x4F=\x95\x5C\r\n");
}

// A save writes back every value it read: a line whose value stays must keep its bytes, those
// the code page cannot decode (a no-break space 0xA0 from another editor) and the second code
// of a character with two (0xED40, which encodes back as 0xFA5C) included. Losing one would
// also have turned the whole file into UTF-16.
TEST(IniDocumentEncoding, KeepsTheBytesOfLinesWrittenUnchanged)
{
    IniDocument doc = parsed("[S]\nk=\x81\x7F\xFF\nd=abc\xA0"
                             "def\nn=\xED\x40\no=1\n");
    for (const char16_t* key : {u"k", u"d", u"n"})
        doc.writeString(u"S", key, doc.readString(u"S", key, u""));
    doc.writeInt(u"S", u"o", 2);
    EXPECT_EQ(textOf(doc.serialize()), "[S]\nk=\x81\x7F\xFF\nd=abc\xA0"
                                       "def\nn=\xED\x40\no=2\n");
}

TEST(IniDocumentEncoding, ByteOrderMarksAreKept)
{
    const std::vector<uint8_t> utf8 = bytesOf("\xEF\xBB\xBF[S]\r\nk=\xE6\x97\xA5\r\n");
    IniDocument fromUtf8 = IniDocument::parse(utf8);
    EXPECT_EQ(fromUtf8.form(), IniTextForm::Utf8Bom);
    EXPECT_EQ(fromUtf8.readString(u"S", u"k", u""), u"日");
    fromUtf8.writeString(u"S", u"n", u"本");
    EXPECT_EQ(textOf(fromUtf8.serialize()), textOf(utf8) + "n=\xE6\x9C\xAC\r\n");

    // "[S]\r\nk=日\r\n" in UTF-16 LE behind its mark.
    const std::vector<uint8_t> utf16 =
        bytesOf(std::string_view("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE5\x65\r\0\n\0", 22));
    IniDocument fromUtf16 = IniDocument::parse(utf16);
    EXPECT_EQ(fromUtf16.form(), IniTextForm::Utf16LeBom);
    EXPECT_EQ(fromUtf16.readString(u"s", u"K", u""), u"日");
    EXPECT_EQ(fromUtf16.serialize(), utf16);
}

// A file saved by a UTF-8 editor has no mark; read as code page 932 its Japanese would turn to
// other characters and the next save would write those over it.
TEST(IniDocumentEncoding, UnmarkedUtf8IsReadAndWrittenAsUtf8)
{
    const std::string text = "[DATA_INDEX0]\r\nDATA=\xE3\x81\x82\\x41\r\n";
    IniDocument doc = parsed(text);
    EXPECT_EQ(doc.form(), IniTextForm::Utf8);
    EXPECT_EQ(doc.readString(u"DATA_INDEX0", u"DATA", u""), u"あ\\x41");
    doc.writeString(u"DATA_INDEX1", u"DATA", u"日本");
    EXPECT_EQ(textOf(doc.serialize()), text + "[DATA_INDEX1]\r\nDATA=\xE6\x97\xA5\xE6\x9C\xAC\r\n");

    // Code page 932 Japanese is not valid UTF-8, and plain ASCII stays a code page 932 file.
    IniDocument sjis = parsed("[S]\r\nk=\x83\x65\x83\x58\x83\x67\r\n");
    EXPECT_EQ(sjis.form(), IniTextForm::CodePage932);
    EXPECT_EQ(sjis.readString(u"S", u"k", u""), u"テスト");
    IniDocument ascii = parsed("[S]\r\nk=v\r\n");
    ascii.writeString(u"S", u"j", u"テ");
    EXPECT_EQ(textOf(ascii.serialize()), "[S]\r\nk=v\r\nj=\x83\x65\r\n");

    // Half-width katakana pairs in code page 932 are also valid two-byte UTF-8 ("ﾃｽﾄｰ" would
    // read as "ýİ"): a file made of them stays code page 932, and so does its next save.
    IniDocument katakana = parsed("[S]\r\nk=\xC3\xBD\xC4\xB0\r\n");
    EXPECT_EQ(katakana.form(), IniTextForm::CodePage932);
    EXPECT_EQ(katakana.readString(u"S", u"k", u""), u"ﾃｽﾄｰ");
    katakana.writeString(u"S", u"k", u"ｽﾃｰﾀｽ");
    EXPECT_EQ(textOf(katakana.serialize()), "[S]\r\nk=\xBD\xC3\xB0\xC0\xBD\r\n");
    // Accented Latin beside Japanese, as a UTF-8 editor saves it, is still UTF-8.
    IniDocument mixed = parsed("[S]\r\nk=caf\xC3\xA9 \xE6\xB8\xA9\xE5\xBA\xA6\r\n");
    EXPECT_EQ(mixed.form(), IniTextForm::Utf8);
    EXPECT_EQ(mixed.readString(u"S", u"k", u""), u"café 温度");

    // "縺ｱ" in code page 932 is E3 81 B1, which is also UTF-8 for "ぱ": kept apart by UTF-16.
    IniDocument lookalike = parsed("[S]\r\nk=v\r\n");
    lookalike.writeString(u"S", u"j", u"縺ｱ");
    const std::vector<uint8_t> saved = lookalike.serialize();
    EXPECT_EQ(textOf(saved).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(IniDocument::parse(saved).readString(u"S", u"j", u""), u"縺ｱ");
}

TEST(IniDocumentEncoding, TextBeyondCodePage932SwitchesTheFileToUtf16)
{
    IniDocument doc = parsed("[S]\r\nk=v\r\n");
    doc.writeString(u"S", u"face", u"𠮷野家 😀");
    std::vector<uint8_t> bytes = doc.serialize();
    EXPECT_EQ(textOf(bytes).substr(0, 2), "\xFF\xFE");
    IniDocument reread = IniDocument::parse(bytes);
    EXPECT_EQ(reread.readString(u"S", u"face", u""), u"𠮷野家 😀");
    EXPECT_EQ(reread.readString(u"S", u"k", u""), u"v");
}

TEST(IniDocumentEncoding, CharactersThatShareACodeAreNotSwapped)
{
    // Each of these has a code page 932 code that decodes to a different character; the yen
    // sign would come back as the backslash that starts an escape in a row text.
    for (std::u16string_view text : {u"¥x0D", u"−5", u"¬", u"〜", u"‖", u"—"}) {
        IniDocument doc = parsed("[S]\r\nk=v\r\n");
        doc.writeString(u"S", u"k", text);
        EXPECT_EQ(IniDocument::parse(doc.serialize()).readString(u"S", u"k", u""), text);
    }
    IniDocument plain = parsed("[S]\r\n");
    plain.writeString(u"S", u"k", u"＼ー～∥￢");
    EXPECT_EQ(IniDocument::parse(plain.serialize()).form(), IniTextForm::CodePage932);
}

TEST(IniDocumentNames, ListSectionsAndKeysOnce)
{
    IniDocument doc = parsed("k=outside\n[A]\nx=1\nX=2\ny=3\n[B]\n[a]\nz=4\n");
    EXPECT_EQ(doc.sectionNames(), (std::vector<std::u16string>{u"A", u"B"}));
    EXPECT_EQ(doc.keyNames(u"A"), (std::vector<std::u16string>{u"x", u"y"}));
}

} // namespace
} // namespace wirevane::platform
