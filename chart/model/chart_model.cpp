#include "chart/model/chart_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace wirevane::chart {

std::string SeriesKey(const std::string& name, const std::string& unit)
{
    return unit.empty() ? name : name + " [" + unit + "]";
}

int64_t ToChartTime(std::chrono::system_clock::time_point time)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
}

ChartModel::ChartModel(std::size_t pointsPerSeries) : m_capacity(pointsPerSeries) {}

const ChartSeries* ChartModel::Find(const std::string& key) const
{
    for (const auto& series : m_series) {
        if (series->key == key)
            return series.get();
    }
    return nullptr;
}

ChartSeries* ChartModel::SeriesFor(const Measurement& m)
{
    const std::string key = SeriesKey(m.series, m.unit);
    if (const ChartSeries* found = Find(key))
        return const_cast<ChartSeries*>(found);
    if (m_series.size() == kMaxSeries)
        return nullptr;
    m_series.push_back(std::make_unique<ChartSeries>(key, m.series, m.unit, m_capacity));
    return m_series.back().get();
}

void ChartModel::AddMeasurement(const Measurement& m)
{
    ChartSeries* series = SeriesFor(m);
    if (series == nullptr) {
        ++m_ignored;
        return;
    }
    const double value = m.value.value_or(std::numeric_limits<double>::quiet_NaN());
    series->ring.Push({ToChartTime(m.time), value});
    const int64_t time = series->ring.back().timeMs;
    series->mode = m.mode;
    series->all.Add(value);
    if (!std::isnan(value) && LimitsOf(series->key).Outside(value)) {
        ++series->outside;
        series->lastOutside = time;
    }
    m_first = m_first ? std::min(*m_first, time) : time;
    m_last = m_last ? std::max(*m_last, time) : time;
}

void ChartModel::Clear()
{
    m_series.clear();
    m_first.reset();
    m_last.reset();
    m_ignored = 0;
}

bool ChartModel::wrapped() const
{
    return std::any_of(m_series.begin(), m_series.end(),
                       [](const auto& series) { return series->ring.dropped() > 0; });
}

void ChartModel::SetLimits(const std::string& key, const SeriesLimits& limits)
{
    if (limits.set())
        m_limits[key] = limits;
    else
        m_limits.erase(key);
    for (auto& series : m_series) {
        if (series->key == key)
            Recount(*series, limits);
    }
}

SeriesLimits ChartModel::LimitsOf(const std::string& key) const
{
    const auto found = m_limits.find(key);
    return found == m_limits.end() ? SeriesLimits{} : found->second;
}

void ChartModel::Recount(ChartSeries& series, const SeriesLimits& limits)
{
    series.outside = 0;
    series.lastOutside.reset();
    for (std::size_t i = 0; i < series.ring.size(); ++i) {
        const ChartPoint& point = series.ring[i];
        if (!std::isnan(point.value) && limits.Outside(point.value)) {
            ++series.outside;
            series.lastOutside = point.timeMs;
        }
    }
}

namespace {

std::string ReadingText(MeasureMode mode, double value, const std::string& unit)
{
    std::string text = mode == MeasureMode::Ac ? "AC " : mode == MeasureMode::Dc ? "DC " : "";
    if (std::isnan(value))
        return text + "OL" + (unit.empty() ? "" : " " + unit);
    char number[32];
    std::snprintf(number, sizeof number, "%.10g", value);
    return text + number + (unit.empty() ? "" : " " + unit);
}

} // namespace

std::vector<Measurement> ChartModel::Held() const
{
    std::vector<Measurement> held;
    for (const auto& series : m_series) {
        for (std::size_t i = 0; i < series->ring.size(); ++i) {
            const ChartPoint& point = series->ring[i];
            Measurement m;
            m.time = std::chrono::system_clock::time_point(std::chrono::milliseconds(point.timeMs));
            m.series = series->name;
            if (!std::isnan(point.value))
                m.value = point.value;
            m.unit = series->unit;
            m.mode = series->mode;
            m.reading = ReadingText(series->mode, point.value, series->unit);
            held.push_back(std::move(m));
        }
    }
    std::stable_sort(held.begin(), held.end(),
                     [](const Measurement& a, const Measurement& b) { return a.time < b.time; });
    return held;
}

} // namespace wirevane::chart
