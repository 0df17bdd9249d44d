#include "chart/model/decimation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <tuple>

namespace wirevane::chart {
namespace {

struct DecimationCase {
    int columns;
    std::size_t points;
    int64_t fromMs; // of a data set whose times run from 0 to 10 * points
    int64_t toMs;
};

class DecimationMatchesBruteForce : public ::testing::TestWithParam<DecimationCase> {};

// Each column's min, max, first and last, and the statistics, are what a direct look at every
// point in the range gives: no point is lost at a column's edge or at the range's ends, and
// over-range points (NaN) never stand in for a value.
TEST_P(DecimationMatchesBruteForce, OnRandomData)
{
    const DecimationCase c = GetParam();
    std::mt19937_64 random(c.points * 31 + static_cast<std::size_t>(c.columns));
    std::uniform_real_distribution<double> value(-1e3, 1e3);
    std::uniform_int_distribution<int> gap(0, 20);
    SeriesRing ring(c.points / 2 + 1); // wrapped: the oldest half is gone
    std::vector<ChartPoint> held;
    int64_t time = 0;
    for (std::size_t i = 0; i < c.points; ++i) {
        time += gap(random);
        const double v = i % 97 == 0 ? std::numeric_limits<double>::quiet_NaN() : value(random);
        ring.Push({time, v});
        held.push_back({time, v});
    }
    held.erase(held.begin(), held.end() - static_cast<std::ptrdiff_t>(ring.size()));

    const Decimated got = Decimate(ring, c.fromMs, c.toMs, c.columns);

    std::vector<ColumnRange> want(static_cast<std::size_t>(c.columns));
    uint64_t count = 0;
    uint64_t overRange = 0;
    double sum = 0;
    for (const ChartPoint& p : held) {
        if (p.timeMs < c.fromMs || p.timeMs > c.toMs)
            continue;
        if (std::isnan(p.value)) {
            ++overRange;
            continue;
        }
        ++count;
        sum += p.value;
        const double x = double(p.timeMs - c.fromMs) * c.columns / double(c.toMs - c.fromMs);
        const auto k = static_cast<std::size_t>(std::min<double>(std::floor(x), c.columns - 1));
        ColumnRange& w = want[k];
        if (!w.any)
            w = {true, p.value, p.value, p.value, p.value};
        w.min = std::min(w.min, p.value);
        w.max = std::max(w.max, p.value);
        w.last = p.value;
    }
    // An empty column's values mean nothing.
    const auto shown = [](const ColumnRange& r) {
        return r.any ? std::tuple(true, r.min, r.max, r.first, r.last)
                     : std::tuple(false, 0., 0., 0., 0.);
    };
    ASSERT_EQ(got.columns.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k)
        EXPECT_EQ(shown(got.columns[k]), shown(want[k])) << k;
    EXPECT_EQ(got.stats.count, count);
    EXPECT_EQ(got.stats.overRange, overRange);
    EXPECT_DOUBLE_EQ(got.stats.sum, sum);
}

INSTANTIATE_TEST_SUITE_P(Ranges, DecimationMatchesBruteForce,
                         ::testing::Values(DecimationCase{800, 100'000, 0, 1'000'000},
                                           DecimationCase{1, 5'000, 10'000, 40'000},
                                           DecimationCase{1920, 200'000, 700'000, 1'300'000},
                                           DecimationCase{333, 2'000, -5'000, 3'000},
                                           DecimationCase{640, 50'000, 900'000, 900'001}));

TEST(SeriesRing, KeepsTheNewestPointsInTimeOrderAndCountsWhatItDropped)
{
    SeriesRing ring(4);
    for (int64_t t : {10, 20, 30, 40, 50, 60})
        ring.Push({t, double(t)});
    ring.Push({55, 1.0}); // a clock set back repeats the last time
    ASSERT_EQ(ring.size(), 4u);
    EXPECT_EQ(ring.dropped(), 3u);
    const int64_t want[] = {40, 50, 60, 60};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(ring[i].timeMs, want[i]);
    EXPECT_EQ(ring.LowerBound(45), 1u);
    EXPECT_EQ(ring.LowerBound(60), 2u);
    EXPECT_EQ(ring.LowerBound(61), 4u);
}

} // namespace
} // namespace wirevane::chart
