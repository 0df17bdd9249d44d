#pragma once

#include "chart/model/series_limits.h"
#include "chart/model/series_ring.h"
#include "chart/model/series_stats.h"
#include "core/measurement.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace wirevane::chart {

// A series of the chart: the readings of one name in one unit, so that a meter switched from
// volts to ohms starts a series of its own instead of drawing ohms on a volt axis.
struct ChartSeries {
    std::string key; // the name, with the unit in brackets when there is one: "meter [V]"
    std::string name;
    std::string unit;
    MeasureMode mode = MeasureMode::None; // of the last reading
    SeriesRing ring;
    SeriesStats all;                    // every reading since the last clear, wrapped ones too
    uint64_t outside = 0;               // readings outside the limits, over what the ring holds
    std::optional<int64_t> lastOutside; // when the last of them came

    ChartSeries(std::string seriesKey, std::string seriesName, std::string seriesUnit,
                std::size_t capacity)
        : key(std::move(seriesKey)), name(std::move(seriesName)), unit(std::move(seriesUnit)),
          ring(capacity)
    {
    }
};

// The chart's data without a window: series in the order they first came, each a bounded ring,
// their statistics and limits. Limits belong to the series key, not to the data: they outlive a
// clear and wait for a series that has not come yet.
class ChartModel final : public MeasurementSink {
public:
    // More series than this (a device printing wide tables) are not kept; they are counted.
    static constexpr std::size_t kMaxSeries = 8;

    explicit ChartModel(std::size_t pointsPerSeries = SeriesRing::kDefaultCapacity);

    void AddMeasurement(const Measurement& m) override;
    void Clear();

    const std::vector<std::unique_ptr<ChartSeries>>& series() const { return m_series; }
    const ChartSeries* Find(const std::string& key) const;
    std::size_t pointsPerSeries() const { return m_capacity; }
    uint64_t ignoredReadings() const { return m_ignored; }
    // Some series has dropped its oldest points to make room.
    bool wrapped() const;

    std::optional<int64_t> firstTime() const { return m_first; }
    std::optional<int64_t> lastTime() const { return m_last; }

    // Setting limits recounts the out-of-range readings the series holds.
    void SetLimits(const std::string& key, const SeriesLimits& limits);
    SeriesLimits LimitsOf(const std::string& key) const;
    const LimitsBySeries& limits() const { return m_limits; }

    // What the chart holds, in time order, as readings again (for saving). The displayed text
    // is not kept per point; it is rebuilt from the mode, the value and the unit.
    std::vector<Measurement> Held() const;

private:
    ChartSeries* SeriesFor(const Measurement& m);
    static void Recount(ChartSeries& series, const SeriesLimits& limits);

    std::size_t m_capacity;
    std::vector<std::unique_ptr<ChartSeries>> m_series;
    LimitsBySeries m_limits;
    std::optional<int64_t> m_first;
    std::optional<int64_t> m_last;
    uint64_t m_ignored = 0;
};

std::string SeriesKey(const std::string& name, const std::string& unit);
int64_t ToChartTime(std::chrono::system_clock::time_point time);

} // namespace wirevane::chart
