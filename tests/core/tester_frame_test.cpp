#include "core/tester_frame.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace wirevane {
namespace {

std::u16string LineOf(const TesterFrame& frame)
{
    return FormatTesterReading(DecodeTesterFrame(frame));
}

// The segment bits of a digit and the bytes that carry them: a, e and f in the first byte of
// the pair, b, c, d and g in the second.
void SetDigit(TesterFrame& frame, int k, int segments)
{
    const auto pair = static_cast<std::size_t>(k);
    uint8_t& p = frame[1 + 2 * pair];
    uint8_t& q = frame[2 + 2 * pair];
    const auto lit = [segments](int segment) { return (segments & segment) != 0; };
    p |= (lit(1) ? 0x1 : 0) | (lit(32) ? 0x2 : 0) | (lit(16) ? 0x4 : 0);
    q |= (lit(2) ? 0x1 : 0) | (lit(64) ? 0x2 : 0) | (lit(4) ? 0x4 : 0) | (lit(8) ? 0x8 : 0);
}

// Digits 1 2 3 4 and no symbol lit; the symbols are added per case.
TesterFrame DigitsFrame()
{
    TesterFrame frame{};
    for (std::size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<uint8_t>((i + 1) << 4);
    const int segments[] = {6, 91, 79, 102};
    for (int k = 0; k < 4; ++k)
        SetDigit(frame, k, segments[k]);
    return frame;
}

struct Symbol {
    std::size_t byte;
    int bit;
};

TEST(TesterFrame, EveryPrefixAndUnitHasItsOwnTextAndTheLaterSymbolWinsWhenSeveralLight)
{
    const std::pair<std::optional<Symbol>, std::u16string> prefixes[] = {
        {std::nullopt, u" "},  {Symbol{9, 1}, u" k"},  {Symbol{9, 2}, u" n"},
        {Symbol{9, 3}, u" u"}, {Symbol{10, 1}, u" M"}, {Symbol{10, 3}, u" m"},
    };
    const std::pair<std::optional<Symbol>, std::u16string> units[] = {
        {std::nullopt, u"deg"},  {Symbol{12, 2}, u"V"}, {Symbol{12, 3}, u"A"},
        {Symbol{11, 2}, u"ohm"}, {Symbol{11, 3}, u"F"}, {Symbol{12, 1}, u"Hz"},
        {Symbol{10, 2}, u"%"},
    };
    for (const auto& [prefixSymbol, prefix] : prefixes) {
        for (const auto& [unitSymbol, unit] : units) {
            TesterFrame frame = DigitsFrame();
            for (const auto& symbol : {prefixSymbol, unitSymbol})
                if (symbol)
                    frame[symbol->byte] |= static_cast<uint8_t>(1 << symbol->bit);
            // Ohm keeps a blank of its own after a prefix letter.
            const std::u16string shown = unit == u"ohm" && prefix != u" " ? u" ohm" : unit;
            EXPECT_EQ(LineOf(frame),
                      std::u16string(u"1234").append(prefix).append(shown).append(u"\r\n"));
        }
    }

    // When several light, the later symbol wins.
    TesterFrame frame{};
    frame[9] = 0x0E;  // kilo, nano and micro lit: micro is tested last in that byte
    frame[10] = 0x0A; // mega and milli: milli is tested last of all
    frame[12] = 0x0E; // volt, ampere and hertz: hertz wins
    const TesterReading reading = DecodeTesterFrame(frame);
    EXPECT_EQ(reading.exponent, -3);
    EXPECT_EQ(reading.unit, TesterUnit::Hertz);
    frame[3] = 0x08;
    frame[7] = 0x08;
    EXPECT_EQ(DecodeTesterFrame(frame).point, 3);
}

TEST(TesterFrame, PointSignAndCurrentKind)
{
    TesterFrame frame = DigitsFrame();
    frame[12] |= 0x4;
    const std::pair<std::size_t, std::u16string> points[] = {
        {3, u"1.234 V\r\n"}, {5, u"12.34 V\r\n"}, {7, u"123.4 V\r\n"}};
    for (const auto& [byte, line] : points) {
        TesterFrame pointed = frame;
        pointed[byte] |= 0x8;
        EXPECT_EQ(LineOf(pointed), line);
    }
    frame[1] |= 0x8;
    EXPECT_EQ(LineOf(frame), u"-1234 V\r\n");
    frame[0] |= 0x4;
    EXPECT_EQ(LineOf(frame), u"DC -1234 V\r\n");
    frame[0] |= 0x8;
    EXPECT_EQ(LineOf(frame), u"AC -1234 V\r\n");
}

TEST(TesterFrame, ReadingLinesOfTheMetersFramesAndOverRangeNeedsZeroThenL)
{
    const TesterFrame kiloOhm = {0x14, 0x27, 0x3D, 0x42, 0x57, 0x69, 0x75,
                                 0x80, 0x95, 0xA2, 0xB0, 0xC4, 0xD0, 0xE0};
    EXPECT_EQ(LineOf(kiloOhm), u"DC 04.71 k ohm\r\n");
    TesterFrame plainOhm = kiloOhm;
    plainOhm[9] = 0xA0;
    EXPECT_EQ(LineOf(plainOhm), u"DC 04.71 ohm\r\n");
    EXPECT_EQ(LineOf({0x14, 0x20, 0x30, 0x47, 0x5D, 0x66, 0x78, 0x80, 0x90, 0xA0, 0xB2, 0xC4, 0xD0,
                      0xE0}),
              u"DC  M ohm OVER RANGE\r\n");

    // Over range is the meter's "0L" in the middle digits; either half alone is only an unreadable
    // display, and a readable one never says over range.
    const auto volts = [](int second, int third) {
        TesterFrame frame{};
        SetDigit(frame, 1, second);
        SetDigit(frame, 2, third);
        frame[12] |= 0x4;
        return frame;
    };
    EXPECT_EQ(LineOf(volts(63, 56)), u" V OVER RANGE\r\n");
    EXPECT_EQ(LineOf(volts(6, 56)), u" V\r\n");
    EXPECT_EQ(LineOf(volts(63, 0)), u" V\r\n");
    EXPECT_EQ(LineOf(volts(56, 63)), u" V\r\n");
    EXPECT_TRUE(DecodeTesterFrame(volts(63, 56)).overload);
    EXPECT_FALSE(DecodeTesterFrame(volts(63, 56)).valid);
}

TEST(TesterFrame, EverySegmentPatternReadsAsItsDigit)
{
    const std::map<int, int> digits = {{63, 0},  {6, 1},   {91, 2},  {79, 3}, {102, 4},
                                       {109, 5}, {124, 6}, {125, 6}, {7, 7},  {39, 7},
                                       {127, 8}, {103, 9}, {111, 9}, {56, -1}};
    for (int segments = 0; segments < 256; ++segments) {
        const auto known = digits.find(segments);
        EXPECT_EQ(SegmentsToDigit(segments), known == digits.end() ? -2 : known->second)
            << segments;
    }
}

} // namespace
} // namespace wirevane
