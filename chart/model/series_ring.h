#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wirevane::chart {

// One reading as the chart keeps it: 16 bytes. The value is NaN for an over-range reading, which
// is counted but has no place on the value axis.
struct ChartPoint {
    int64_t timeMs = 0; // wall clock, milliseconds since the epoch
    double value = 0;
};
static_assert(sizeof(ChartPoint) == 16);

// The points of one series, oldest first, bounded: once full, each new point replaces the
// oldest. Room is taken as the points come, so a short session costs little; the bound is what a
// series can ever cost. Times never go backwards in the ring (a clock set back repeats the last
// time), so a time range is found by binary search.
class SeriesRing {
public:
    // A meter at 10 readings a second fills it in a little under ten days: 128 MiB.
    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 23;

    explicit SeriesRing(std::size_t capacity = kDefaultCapacity);

    void Push(ChartPoint point);
    void Clear();

    std::size_t size() const
    {
        return m_points.size() == m_capacity ? m_capacity : m_points.size();
    }
    std::size_t capacity() const { return m_capacity; }
    bool empty() const { return m_points.empty(); }
    // Points dropped to make room since the last Clear.
    uint64_t dropped() const { return m_dropped; }
    // The i-th point, 0 the oldest.
    const ChartPoint& operator[](std::size_t i) const
    {
        const std::size_t at = m_head + i;
        return m_points[at < m_points.size() ? at : at - m_points.size()];
    }
    const ChartPoint& back() const { return (*this)[size() - 1]; }
    // The index of the first point at or after the time (size() when none).
    std::size_t LowerBound(int64_t timeMs) const;

private:
    std::size_t m_capacity;
    std::vector<ChartPoint> m_points;
    std::size_t m_head = 0; // where the oldest point is once the ring is full
    uint64_t m_dropped = 0;
};

} // namespace wirevane::chart
