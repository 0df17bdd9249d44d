#include "chart/model/chart_model.h"
#include "chart/model/decimation.h"
#include "chart/model/line_collector.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <tuple>

namespace wirevane::chart {
namespace {

Measurement Reading(int64_t ms, std::optional<double> value, std::string series = "meter",
                    std::string unit = "V")
{
    return {.time = std::chrono::system_clock::time_point(std::chrono::milliseconds(ms)),
            .series = std::move(series),
            .value = value,
            .unit = std::move(unit),
            .reading = {}};
}

// Limits count what lies strictly outside them, over what the series holds: setting them later
// recounts, a clear keeps them for the next readings, and an over-range reading is no value.
TEST(ChartModel, LimitsCountReadingsOutsideThemAndTheLastTime)
{
    ChartModel model;
    for (auto [t, v] : {std::pair{1000, 1.0}, {2000, 5.0}, {3000, -2.0}, {4000, 3.0}})
        model.AddMeasurement(Reading(t, v));
    model.AddMeasurement(Reading(4500, std::nullopt));
    model.SetLimits("meter [V]", {0.0, 3.0});
    const ChartSeries* meter = model.Find("meter [V]");
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(std::tuple(meter->outside, meter->lastOutside), std::tuple(2u, 3000));

    model.AddMeasurement(Reading(5000, 3.5));
    EXPECT_EQ(std::tuple(meter->outside, meter->lastOutside), std::tuple(3u, 5000));

    model.Clear();
    model.AddMeasurement(Reading(6000, -0.5));
    EXPECT_EQ(model.Find("meter [V]")->outside, 1u);
    model.SetLimits("meter [V]", {});
    EXPECT_EQ(model.Find("meter [V]")->outside, 0u);
    EXPECT_TRUE(model.limits().empty());
}

TEST(ChartModel, StatisticsOfAllOutliveTheRingAndEachUnitIsASeriesUpToTheBound)
{
    ChartModel model(3);
    for (int i = 1; i <= 5; ++i)
        model.AddMeasurement(Reading(i * 100, double(i)));
    model.AddMeasurement(Reading(600, std::nullopt));
    model.AddMeasurement(Reading(700, 1e3, "meter", "Ω"));
    ASSERT_EQ(model.series().size(), 2u);
    const ChartSeries& volts = *model.series()[0];
    const SeriesStats& all = volts.all;
    EXPECT_EQ(std::tuple(all.count, all.overRange, all.min, all.max, all.mean(), all.last),
              std::tuple(5u, 1u, 1.0, 5.0, 3.0, 5.0));
    EXPECT_EQ(std::tuple(model.wrapped(), volts.ring.size()), std::tuple(true, 3u));

    const std::vector<Measurement> held = model.Held();
    ASSERT_EQ(held.size(), 4u);
    EXPECT_EQ(held[0].value, 4.0);
    EXPECT_FALSE(held[2].value.has_value());
    EXPECT_EQ(held[3].reading, "1000 Ω");

    // Series beyond the bound are counted, not kept.
    ChartModel crowded;
    for (std::size_t i = 0; i < ChartModel::kMaxSeries + 2; ++i)
        crowded.AddMeasurement(Reading(1, 1.0, std::to_string(i), ""));
    EXPECT_EQ(crowded.series().size(), ChartModel::kMaxSeries);
    EXPECT_EQ(crowded.ignoredReadings(), 2u);
}

// A stored text, and LimitsText of what was read from it.
using LimitsTextCase = std::pair<const char*, const char*>;

class LimitsTextReading : public ::testing::TestWithParam<LimitsTextCase> {};

// The settings value survives names with its own separators, and a damaged entry costs only
// itself.
TEST_P(LimitsTextReading, ReadsWhatItCanAndWritesItBackTheSame)
{
    const auto& [text, readBack] = GetParam();
    EXPECT_EQ(LimitsText(ParseLimitsText(text)), readBack);
}

INSTANTIATE_TEST_SUITE_P(Texts, LimitsTextReading,
                         ::testing::Values(LimitsTextCase{"meter [V],-1.5,2", "meter [V],-1.5,2"},
                                           LimitsTextCase{"a%2Cb%3B%25,,30;temp,10,",
                                                          "a%2Cb%3B%25,,30;temp,10,"},
                                           LimitsTextCase{"x,1,nan;y,inf,;z,1e999,;w,,", ""},
                                           LimitsTextCase{"bad%2,1,2;ok,1,2;,1,2;q,1", "ok,1,2"},
                                           LimitsTextCase{"", ""}));

// The receive conversion, the texts read one after the other, and the lines they end.
using LinesCase = std::tuple<int, std::vector<std::u16string>, std::vector<std::string>>;

class LineCollecting : public ::testing::TestWithParam<LinesCase> {};

// Lines end as the receive conversion ends them, across reads; an end split over two reads
// still ends one line.
TEST_P(LineCollecting, EndsLinesAsTheReceiveConversionDoes)
{
    const auto& [conversion, texts, lines] = GetParam();
    LineCollector collector;
    std::vector<std::string> got;
    for (const auto& text : texts) {
        for (auto& line : collector.Add(text, {}, conversion))
            got.push_back(line.text);
    }
    EXPECT_EQ(got, lines);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, LineCollecting,
    ::testing::Values(
        LinesCase{0, {u"1.5\r", u"\n2\n3\r\n"}, {"1.5", "2\n3"}},
        LinesCase{1, {u"a:1\rb", u"=2\r\n"}, {"a:1", "b=2"}},
        LinesCase{2, {u"t:21.4 h=48\n", u"°C 5\n"}, {"t:21.4 h=48", "°C 5"}},
        LinesCase{2, {std::u16string(LineCollector::kLongestLine + 5, u'9'), u"9\n7\n"}, {"7"}}));

// The columns, the points, and the range shown from and to (ms) of a data set whose times run
// from 0 to 10 * points.
using DecimationCase = std::tuple<int, std::size_t, int64_t, int64_t>;

class DecimationMatchesBruteForce : public ::testing::TestWithParam<DecimationCase> {};

// Each column's min, max, first and last, and the statistics, are what a direct look at every
// point in the range gives: no point is lost at a column's edge or at the range's ends, and
// over-range points (NaN) never stand in for a value.
TEST_P(DecimationMatchesBruteForce, OnRandomData)
{
    const auto [columns, points, fromMs, toMs] = GetParam();
    std::mt19937_64 random(points * 31 + static_cast<std::size_t>(columns));
    std::uniform_real_distribution<double> value(-1e3, 1e3);
    std::uniform_int_distribution<int> gap(0, 20);
    SeriesRing ring(points / 2 + 1); // wrapped: the oldest half is gone
    std::vector<ChartPoint> held;
    int64_t time = 0;
    for (std::size_t i = 0; i < points; ++i) {
        time += gap(random);
        const double v = i % 97 == 0 ? std::numeric_limits<double>::quiet_NaN() : value(random);
        ring.Push({time, v});
        held.push_back({time, v});
    }
    held.erase(held.begin(), held.end() - static_cast<std::ptrdiff_t>(ring.size()));

    const Decimated got = Decimate(ring, fromMs, toMs, columns);

    std::vector<ColumnRange> want(static_cast<std::size_t>(columns));
    uint64_t count = 0;
    uint64_t overRange = 0;
    double sum = 0;
    for (const ChartPoint& p : held) {
        if (p.timeMs < fromMs || p.timeMs > toMs)
            continue;
        if (std::isnan(p.value)) {
            ++overRange;
            continue;
        }
        ++count;
        sum += p.value;
        const double x = double(p.timeMs - fromMs) * columns / double(toMs - fromMs);
        const auto k = static_cast<std::size_t>(std::min<double>(std::floor(x), columns - 1));
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
    EXPECT_EQ(std::tuple(got.stats.count, got.stats.overRange), std::tuple(count, overRange));
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
    EXPECT_EQ(std::vector({ring[0].timeMs, ring[1].timeMs, ring[2].timeMs, ring[3].timeMs}),
              std::vector<int64_t>({40, 50, 60, 60}));
    EXPECT_EQ(std::tuple(ring.LowerBound(45), ring.LowerBound(60), ring.LowerBound(61)),
              std::tuple(1u, 2u, 4u));
}

} // namespace
} // namespace wirevane::chart
