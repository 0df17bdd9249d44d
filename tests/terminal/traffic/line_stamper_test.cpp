#include "terminal/traffic/line_stamper.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

constexpr std::u16string_view kStamp = u"[T]";

TEST(LineStamper, StampsEachReceivedLineWhereItBeginsAndNotBeforeItsFirstCharacter)
{
    LineStamper stamper;
    EXPECT_EQ(stamper.Stamp(u"one\r\ntwo\r\n", kStamp), u"[T]one\r\n[T]two\r\n");
    // The line after the last CR LF has not begun: its stamp waits for its first character,
    // which may come with another read (and time).
    EXPECT_EQ(stamper.Stamp(u"three", u"[U]"), u"[U]three");
    EXPECT_EQ(stamper.Stamp(u" more\r\n\r\n", kStamp), u" more\r\n[T]\r\n");
}

TEST(LineStamper, OnlyCrLfEndsALineAlsoWhenSplitAcrossAppends)
{
    LineStamper stamper;
    EXPECT_EQ(stamper.Stamp(u"a\rb\nc", kStamp), u"[T]a\rb\nc");
    EXPECT_EQ(stamper.Stamp(u"\r", kStamp), u"\r");
    EXPECT_EQ(stamper.Stamp(u"\nd", kStamp), u"\n[T]d");
    // A CR at the start of a line is the line's first character.
    EXPECT_EQ(stamper.Stamp(u"\r\n\rx", kStamp), u"\r\n[T]\rx");
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
