#include "core/decimal_text.h"

#include <gtest/gtest.h>
#include <optional>

namespace wirevane {
namespace {

struct DelayCase {
    std::u16string_view text;
    std::optional<int32_t> taken;
};

class DelayTextTest : public ::testing::TestWithParam<DelayCase> {};

// A delay typed anywhere is taken only when the run would wait exactly what the cell then shows.
TEST_P(DelayTextTest, TakesOnlyAWholeNumberOfMillisecondsInRange)
{
    EXPECT_EQ(ParseDelayText(GetParam().text), GetParam().taken);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DelayTextTest,
    ::testing::Values(DelayCase{u"0", 0}, DelayCase{u"250", 250}, DelayCase{u" 40\t", 40},
                      DelayCase{u"007", 7}, DelayCase{u"2147483647", kLongestDelayMs},
                      DelayCase{u"00000000002147483647", kLongestDelayMs},
                      DelayCase{u"2147483648", std::nullopt},
                      DelayCase{u"99999999999", std::nullopt}, DelayCase{u"-5", std::nullopt},
                      DelayCase{u"-0", std::nullopt}, DelayCase{u"+7", std::nullopt},
                      DelayCase{u"", std::nullopt}, DelayCase{u"   ", std::nullopt},
                      DelayCase{u"abc-12x", std::nullopt}, DelayCase{u"xyz", std::nullopt},
                      DelayCase{u"250ms", std::nullopt}, DelayCase{u"1e3", std::nullopt},
                      DelayCase{u"1.5", std::nullopt}, DelayCase{u"1 000", std::nullopt},
                      DelayCase{u"\uFF11\uFF10", std::nullopt}, DelayCase{u"\u0663", std::nullopt},
                      DelayCase{u"\u300040", std::nullopt}));

} // namespace
} // namespace wirevane
