#include "core/tester_frame.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

TesterFrame Frame(std::initializer_list<uint8_t> bytes)
{
    TesterFrame frame{};
    std::copy(bytes.begin(), bytes.end(), frame.begin());
    return frame;
}

std::u16string LineOf(const TesterFrame& frame)
{
    return FormatTesterReading(DecodeTesterFrame(frame));
}

TEST(TesterFrame, ReadingLinesOfTheMetersFrames)
{
    EXPECT_EQ(LineOf(Frame({0x18, 0x28, 0x35, 0x45, 0x5B, 0x69, 0x7F, 0x82, 0x97, 0xA0, 0xB0, 0xC0,
                            0xD4, 0xE0})),
              u"AC -12.34 V\r\n");
    const TesterFrame kiloOhm =
        Frame({0x14, 0x27, 0x3D, 0x42, 0x57, 0x69, 0x75, 0x80, 0x95, 0xA2, 0xB0, 0xC4, 0xD0, 0xE0});
    EXPECT_EQ(LineOf(kiloOhm), u"DC 04.71 k ohm\r\n");
    TesterFrame plainOhm = kiloOhm;
    plainOhm[9] = 0xA0;
    EXPECT_EQ(LineOf(plainOhm), u"DC 04.71 ohm\r\n");
    EXPECT_EQ(LineOf(Frame({0x14, 0x20, 0x30, 0x47, 0x5D, 0x66, 0x78, 0x80, 0x90, 0xA0, 0xB2, 0xC4,
                            0xD0, 0xE0})),
              u"DC  M ohm OVER RANGE\r\n");
}

TEST(TesterFrame, LaterSymbolWinsWhenSeveralLight)
{
    TesterFrame frame{};
    frame[9] = 0x0E;  // kilo, nano and micro lit: micro is tested last in that byte
    frame[10] = 0x0A; // mega and milli: milli is tested last of all
    frame[12] = 0x0E; // volt, ampere and hertz: hertz wins
    const TesterReading reading = DecodeTesterFrame(frame);
    EXPECT_EQ(reading.exponent, -3);
    EXPECT_EQ(reading.unit, 3);
    frame[3] = 0x08;
    frame[7] = 0x08;
    EXPECT_EQ(DecodeTesterFrame(frame).point, 3);
}

TEST(TesterFrame, SegmentPatterns)
{
    EXPECT_EQ(SegmentsToDigit(63), 0);
    EXPECT_EQ(SegmentsToDigit(125), 6);
    EXPECT_EQ(SegmentsToDigit(39), 7);
    EXPECT_EQ(SegmentsToDigit(111), 9);
    EXPECT_EQ(SegmentsToDigit(56), -1);
    EXPECT_EQ(SegmentsToDigit(0), -2);
    EXPECT_EQ(SegmentsToDigit(128), -2);
}

} // namespace
} // namespace wirevane
