#include "core/check_report_text.h"

#include <gtest/gtest.h>
#include <string>

namespace wirevane {
namespace {

struct Shown {
    std::string_view received;
    std::u16string_view text;
};

class ReceivedInTheReport : public ::testing::TestWithParam<Shown> {};

TEST_P(ReceivedInTheReport, EscapesControlBytesAndCutsLongAnswers)
{
    const Bytes bytes(GetParam().received.begin(), GetParam().received.end());
    EXPECT_EQ(CheckFailedText(7, u"OK\\r", bytes, TextEncoding::Sjis, u""),
              u"Row 7 check failed: expected \"OK\\r\", received \"" +
                  std::u16string(GetParam().text) + u"\".");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReceivedInTheReport,
    ::testing::Values(Shown{"ERR 12\r", u"ERR 12\\r"},
                      Shown{std::string_view("\0\x1b\t\n\\\x7f", 6), u"\\x00\\x1B\\t\\n\\\\\\x7F"},
                      Shown{"\x93\x64\x88\xB3", u"電圧"},
                      Shown{std::string_view("0123456789012345678901234567890123456789"
                                             "0123456789012345678901234567890123456789X"),
                            u"0123456789012345678901234567890123456789"
                            u"0123456789012345678901234567890123456789…"}));

// A run left going for days counts past what 32 bits hold.
TEST(ChecksCountedText, CountsPastTwoToTheThirtyFirstStayWhole)
{
    EXPECT_EQ(ChecksCountedText(3'000'000'000, 5'000'000'000),
              u"Checks: 3000000000 passed, 5000000000 failed.");
}

} // namespace
} // namespace wirevane
