#include "terminal/traffic/hex_dump.h"
#include "terminal/traffic/line_stamper.h"

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

// Whether an update replaces the last line or adds lines, and how each of its lines begins.
std::u16string Heads(const HexDump::Update& update)
{
    std::u16string text = update.replacesLast ? u"replaces" : u"adds";
    for (const HexLine& line : update.lines)
        text += u" | " + line.text.substr(0, 12);
    return text;
}

TEST(HexDump, AnOpenLineGrowsInPlaceAndADirectionChangeStartsANewOne)
{
    using enum TrafficDirection;
    HexDump dump;
    dump.Feed(Sent, Bytes("AT\r"));
    const auto grown = dump.Feed(Sent, Bytes("\n"));
    ASSERT_EQ(Heads(grown), u"replaces | TX 00000000 ");
    EXPECT_EQ(grown.lines[0].text.substr(0, 25), u"TX 00000000  41 54 0D 0A ");
    EXPECT_TRUE(grown.lines[0].text.ends_with(u"AT.."));
    EXPECT_EQ(Heads(dump.Feed(Received, Bytes("OK\r\n"))), u"adds | RX 00000000 ");
    // Each direction counts its own bytes; the line broken by the answer is not reopened.
    EXPECT_EQ(Heads(dump.Feed(Sent, Bytes("ATZ\r"))), u"adds | TX 00000004 ");
    // A full line is closed: what follows starts the next line.
    EXPECT_EQ(Heads(dump.Feed(Sent, Bytes("0123456789AB"))), u"replaces | TX 00000004 ");
    EXPECT_EQ(Heads(dump.Feed(Sent, Bytes("C"))), u"adds | TX 00000014 ");

    dump.Clear();
    EXPECT_EQ(Heads(dump.Feed(Sent, Bytes("x"))), u"adds | TX 00000000 ");
}

constexpr std::u16string_view kStamp = u"[T]";

TEST(LineStamper, StampsEachLineWhereItBeginsNotBeforeItsFirstCharacterAndOnlyCrLfEndsIt)
{
    LineStamper stamper;
    EXPECT_EQ(stamper.Stamp(u"one\r\ntwo\r\n", kStamp), u"[T]one\r\n[T]two\r\n");
    // The line after the last CR LF has not begun: its stamp waits for its first character,
    // which may come with another read (and time).
    EXPECT_EQ(stamper.Stamp(u"three", u"[U]"), u"[U]three");
    EXPECT_EQ(stamper.Stamp(u" more\r\n\r\n", kStamp), u" more\r\n[T]\r\n");

    // Only CR LF ends a line, also when it is split across appends.
    LineStamper split;
    EXPECT_EQ(split.Stamp(u"a\rb\nc", kStamp), u"[T]a\rb\nc");
    EXPECT_EQ(split.Stamp(u"\r", kStamp), u"\r");
    EXPECT_EQ(split.Stamp(u"\nd", kStamp), u"\n[T]d");
    // A CR at the start of a line is the line's first character.
    EXPECT_EQ(split.Stamp(u"\r\n\rx", kStamp), u"\r\n[T]\rx");
}

TEST(LineStamper, FollowsTextOthersAppendSoOnlyLinesThatReallyBeginAreStamped)
{
    LineStamper stamper;
    stamper.Follow(u"ECHO ");
    EXPECT_EQ(stamper.Stamp(u"reply\r\n", kStamp), u"reply\r\n");
    stamper.Follow(u"[Report line]\r");
    EXPECT_FALSE(stamper.atLineStart());
    stamper.Follow(u"\n");
    EXPECT_EQ(stamper.Stamp(u"next", kStamp), u"[T]next");
    // Only the end of a long followed text matters.
    stamper.Follow(u"0123456789\r\n");
    EXPECT_TRUE(stamper.atLineStart());
    stamper.Follow(u"0123456789\r");
    stamper.Follow(u"\n");
    EXPECT_TRUE(stamper.atLineStart());
    stamper.Follow(u"\r\nx\r");
    EXPECT_FALSE(stamper.atLineStart());

    stamper.Restart(true, false);
    EXPECT_EQ(stamper.Stamp(u"z", kStamp), u"[T]z");
}

} // namespace
} // namespace wirevane
