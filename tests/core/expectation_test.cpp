#include "core/expectation.h"

#include <gtest/gtest.h>
#include <string>

namespace wirevane {
namespace {

Bytes Ascii(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

struct CheckCase {
    std::u16string_view expect;
    std::string_view answer;
    bool passes;
};

std::ostream& operator<<(std::ostream& out, const CheckCase& c)
{
    return out << std::string(c.expect.begin(), c.expect.end()) << " ~ " << c.answer;
}

class ExpectationCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ExpectationCheck, JudgesTheAnswer)
{
    const CheckCase& c = GetParam();
    const Expectation expectation(c.expect, TextEncoding::Sjis);
    ASSERT_EQ(expectation.error(), u"");
    EXPECT_EQ(expectation.Check(Ascii(c.answer)), c.passes);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ExpectationCheck,
    ::testing::Values(
        // Plain text goes through the send data's escapes and is found anywhere in the answer.
        CheckCase{u"OK\\r", "xx OK\r\n", true}, CheckCase{u"OK\\r", "OK\n", false},
        CheckCase{u"\\x41B", "zAB", true}, CheckCase{u"re:", "", true},
        CheckCase{u"re:^[+-]\\d+\\.\\d+E[+-]\\d\\d\\r$", "+1.250E-03\r", true},
        CheckCase{u"re:^[+-]\\d+\\.\\d+E[+-]\\d\\d\\r$", "+1.250E-03\r\n", false},
        CheckCase{u"re:^[+-]\\d+\\.\\d+E[+-]\\d\\d\\r$", "x+1.250E-03\r", false},
        CheckCase{u"re:(?:ab|cd){2}x", "zcdabx", true}, CheckCase{u"re:(ab|cd){2}x", "abx", false},
        CheckCase{u"re:a{2,3}$", "caaa", true}, CheckCase{u"re:^a{2,3}$", "aaaa", false},
        CheckCase{u"re:[^0-9\\s]+!", "12 ab!", true}, CheckCase{u"re:\\W\\D\\S", "!a_", true},
        CheckCase{u"re:\\W\\D\\S", "!1_", false}, CheckCase{u"re:a.c", "a\nc", false},
        CheckCase{u"re:x{a", "x{a", true}, CheckCase{u"re:\\x7E\\.", "~.", true},
        CheckCase{u"re:[]a-]+$", "]-a", true}, CheckCase{u"re:(a*)*b", "aaac", false}));

TEST(Expectation, PatternAndPlainTextReadTheAnswerInTheTablesEncoding)
{
    const Bytes sjis{0x93, 0x64, 0x88, 0xB3, '='};             // 電圧= in Shift_JIS
    const Bytes utf8{0xE9, 0x9B, 0xBB, 0xE5, 0x9C, 0xA7, '='}; // 電圧= in UTF-8
    EXPECT_TRUE(Expectation(u"re:^電圧=", TextEncoding::Sjis).Check(sjis));
    EXPECT_TRUE(Expectation(u"re:^電.=", TextEncoding::Utf8).Check(utf8));
    EXPECT_FALSE(Expectation(u"re:^電圧=", TextEncoding::Sjis).Check(utf8));
    EXPECT_TRUE(Expectation(u"電圧", TextEncoding::Utf8).Check(utf8));
    // Plain text is never refused, whatever it holds.
    EXPECT_EQ(ExpectationError(u"ab(cd"), u"");
    EXPECT_EQ(ExpectationError(u"RE:(("), u"");
}

TEST(Expectation, OnlyTheNewestBytesOfALongAnswerCountAndAHostilePatternFailsWithTheReason)
{
    Bytes answer = Ascii("HEAD");
    answer.resize(Expectation::kAnswerKeptBytes + 3, '.');
    answer.push_back('!');
    EXPECT_FALSE(Expectation(u"HEAD", TextEncoding::Sjis).Check(answer));
    EXPECT_FALSE(Expectation(u"re:^HEAD", TextEncoding::Sjis).Check(answer));
    EXPECT_TRUE(Expectation(u"re:^\\.+!$", TextEncoding::Sjis).Check(answer));

    // The window waits for a check: a search that would take long gives up, and the check fails
    // saying so rather than passing or holding the window.
    Bytes nearMiss(Expectation::kAnswerKeptBytes - 1, 'a');
    nearMiss.push_back('#');
    for (const std::u16string_view hostile :
         {u"re:[a-z]{1000}!", u"re:(?:a?){1000}a{1000}b", u"re:(?:(?:a|aa){30}){120}b"}) {
        const Expectation::Verdict verdict =
            Expectation(hostile, TextEncoding::Sjis).Judge(nearMiss);
        EXPECT_FALSE(verdict.passed);
        EXPECT_EQ(verdict.reason, Expectation::kGaveUp);
    }
    const Expectation::Verdict plainMiss =
        Expectation(u"re:a{50}!", TextEncoding::Sjis).Judge(nearMiss);
    EXPECT_FALSE(plainMiss.passed);
    EXPECT_EQ(plainMiss.reason, u"") << "a pattern of common size searches the whole answer";
    std::u16string groups = u"re:";
    for (int i = 0; i <= Pattern::kMaxGroups; ++i)
        groups += u"()";
    EXPECT_EQ(ExpectationError(groups), u"more than 32 groups at 65");
}

struct Refused {
    std::u16string_view text;
    std::u16string_view reason;
};

class RefusedPattern : public ::testing::TestWithParam<Refused> {};

// A refused pattern says why and where; the same text loaded from a file fails every answer.
TEST_P(RefusedPattern, SaysWhyAndFailsEveryAnswer)
{
    const Refused& c = GetParam();
    EXPECT_EQ(ExpectationError(c.text), c.reason);
    const Expectation expectation(c.text, TextEncoding::Sjis);
    EXPECT_EQ(expectation.error(), c.reason);
    EXPECT_FALSE(expectation.Check(Ascii("anything (( at all")));
}

INSTANTIATE_TEST_SUITE_P(Faults, RefusedPattern,
                         ::testing::Values(Refused{u"re:ab(cd", u"missing ) for ( at 3"},
                                           Refused{u"re:ab)", u"unmatched ) at 3"},
                                           Refused{u"re:*a", u"nothing to repeat at 1"},
                                           Refused{u"re:a**", u"nothing to repeat at 3"},
                                           Refused{u"re:[abc", u"missing ] for [ at 1"},
                                           Refused{u"re:[z-a]", u"range out of order at 2"},
                                           Refused{u"re:a{1001}", u"repeat count above 1000 at 2"},
                                           Refused{u"re:a{3,2}", u"repeat count out of order at 2"},
                                           Refused{u"re:\\q", u"unknown escape \\q at 1"},
                                           Refused{u"re:\\x4", u"\\x needs two hex digits at 1"},
                                           Refused{u"re:ab\\", u"trailing backslash at 3"},
                                           Refused{u"re:(a{1000}){1000}", u"pattern too large"}));

TEST(Pattern, CapturesFollowTheQuantifiersPreferenceAndDeepNestingIsRefusedNotRecursedInto)
{
    const std::u32string text = U"SN=AB12 rev=7";
    const auto greedy = Pattern::Compile(u"SN=(\\w+)\\s+rev=(\\d)").Search(text).match;
    ASSERT_TRUE(greedy.has_value());
    EXPECT_EQ(greedy->Group(text, 1), U"AB12");
    EXPECT_EQ(greedy->Group(text, 2), U"7");
    const auto lazy = Pattern::Compile(u"(\\w+?)(\\d*)\\s").Search(text).match;
    ASSERT_TRUE(lazy.has_value());
    EXPECT_EQ(lazy->Group(text, 1), U"AB");
    EXPECT_EQ(lazy->Group(text, 2), U"12");
    EXPECT_FALSE(Pattern::Compile(u"(x)|y").Search(U"y").match->Group(U"y", 1).has_value());

    // Deep nesting is refused, not recursed into.
    std::u16string deep;
    for (int i = 0; i < 100000; ++i)
        deep += u"(?:";
    deep += std::u16string(100000, u')');
    EXPECT_EQ(Pattern::Compile(deep).error(), u"groups nested too deeply at 301");
}

} // namespace
} // namespace wirevane
