#include "terminal/traffic/hex_dump.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wirevane {
namespace {

using namespace std::string_view_literals;

std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

TEST(HexDump, KnownBytesGiveOffsetSixteenHexBytesAndTheirText)
{
    HexDump dump;
    const auto update =
        dump.Feed(TrafficDirection::Received, Bytes("Hello, world!\r\n\x82\xa0\x00\x7f"
                                                    "END"sv));
    ASSERT_EQ(update.lines.size(), 2u);
    EXPECT_FALSE(update.replacesLast);
    EXPECT_EQ(update.lines[0].text,
              u"RX 00000000  48 65 6C 6C 6F 2C 20 77  6F 72 6C 64 21 0D 0A 82  Hello, world!...");
    EXPECT_EQ(update.lines[1].text,
              u"RX 00000010  A0 00 7F 45 4E 44                                 ...END");
    EXPECT_EQ(update.lines[1].direction, TrafficDirection::Received);
}

TEST(HexDump, AnOpenLineGrowsInPlaceAndADirectionChangeStartsANewOne)
{
    HexDump dump;
    dump.Feed(TrafficDirection::Sent, Bytes("AT\r"));
    const auto grown = dump.Feed(TrafficDirection::Sent, Bytes("\n"));
    ASSERT_EQ(grown.lines.size(), 1u);
    EXPECT_TRUE(grown.replacesLast);
    EXPECT_EQ(grown.lines[0].text.substr(0, 25), u"TX 00000000  41 54 0D 0A ");
    EXPECT_EQ(grown.lines[0].text.substr(grown.lines[0].text.size() - 4), u"AT..");

    const auto answer = dump.Feed(TrafficDirection::Received, Bytes("OK\r\n"));
    ASSERT_EQ(answer.lines.size(), 1u);
    EXPECT_FALSE(answer.replacesLast);
    EXPECT_EQ(answer.lines[0].text.substr(0, 12), u"RX 00000000 ");

    // Each direction counts its own bytes; the line broken by the answer is not reopened.
    const auto more = dump.Feed(TrafficDirection::Sent, Bytes("ATZ\r"));
    EXPECT_FALSE(more.replacesLast);
    EXPECT_EQ(more.lines[0].text.substr(0, 12), u"TX 00000004 ");

    // A full line is closed: what follows starts the next line.
    const auto full = dump.Feed(TrafficDirection::Sent, Bytes("0123456789AB"));
    EXPECT_TRUE(full.replacesLast);
    ASSERT_EQ(full.lines.size(), 1u);
    const auto after = dump.Feed(TrafficDirection::Sent, Bytes("C"));
    EXPECT_FALSE(after.replacesLast);
    EXPECT_EQ(after.lines[0].text.substr(0, 12), u"TX 00000014 ");

    dump.Clear();
    EXPECT_EQ(dump.Feed(TrafficDirection::Sent, Bytes("x")).lines[0].text.substr(0, 12),
              u"TX 00000000 ");
}

} // namespace
} // namespace wirevane
