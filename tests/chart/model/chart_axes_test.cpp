#include "chart/model/chart_axes.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace wirevane::chart {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr int kWanted = 10;

struct Extremes {
    const char* name;
    double min;
    double max;
};

class ValueAxisAtExtremes : public ::testing::TestWithParam<Extremes> {};

// Readings anywhere among the finite doubles get a finite scale that holds them, a few ticks in
// order inside it, and places on the plot between its edges; none of it may hang or overflow.
TEST_P(ValueAxisAtExtremes, HoldsTheReadingsWithTicksInOrder)
{
    const Extremes& data = GetParam();
    const ValueRange range = AutoRange(data.min, data.max);
    ASSERT_TRUE(std::isfinite(range.low) && std::isfinite(range.high));
    EXPECT_LE(range.low, data.min);
    EXPECT_GE(range.high, data.max);

    const std::vector<double> ticks = ValueTicks(range, kWanted);
    ASSERT_FALSE(ticks.empty());
    EXPECT_LE(ticks.size(), std::size_t{kWanted + 1});
    EXPECT_GE(ticks.front(), range.low);
    EXPECT_LE(ticks.back(), range.high);
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_LT(ticks[i - 1], ticks[i]);

    const double low = ValueFraction(range, data.min);
    const double high = ValueFraction(range, data.max);
    EXPECT_GE(low, 0.0);
    EXPECT_LE(low, high);
    EXPECT_LE(high, 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ValueAxisAtExtremes,
    ::testing::Values(Extremes{"Volts", -2.5, 12.0}, Extremes{"Flat", 3.3, 3.3},
                      Extremes{"Wide", -1e307, 1e307}, Extremes{"Widest", -kLargest, kLargest},
                      Extremes{"FlatAtTheLargest", kLargest, kLargest},
                      Extremes{"FinerThanTheDoubles", 1e16, 1e16 + 2}),
    [](const ::testing::TestParamInfo<Extremes>& extremes) { return extremes.param.name; });

// A typed scale may leave readings far outside it: they still get a place, off the plot.
TEST(ValueFraction, FarOutsideAScaleIsBoundedAndNothingIsNotANumber)
{
    const ValueRange range{0, 1};
    EXPECT_DOUBLE_EQ(ValueFraction(range, 0.25), 0.25);
    EXPECT_EQ(ValueFraction(range, 1e300), kFractionBound);
    EXPECT_EQ(ValueFraction(range, -kLargest), -kFractionBound);
    EXPECT_EQ(ValueFraction({1, 1}, 1), 0.0);
}

} // namespace
} // namespace wirevane::chart
