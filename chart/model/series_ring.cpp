#include "chart/model/series_ring.h"

#include <algorithm>

namespace wirevane::chart {

SeriesRing::SeriesRing(std::size_t capacity) : m_capacity(std::max<std::size_t>(capacity, 1)) {}

void SeriesRing::Push(ChartPoint point)
{
    if (!m_points.empty())
        point.timeMs = std::max(point.timeMs, back().timeMs);
    if (m_points.size() < m_capacity) {
        m_points.push_back(point);
        return;
    }
    m_points[m_head] = point;
    m_head = m_head + 1 == m_capacity ? 0 : m_head + 1;
    ++m_dropped;
}

void SeriesRing::Clear()
{
    m_points.clear();
    m_points.shrink_to_fit();
    m_head = 0;
    m_dropped = 0;
}

std::size_t SeriesRing::LowerBound(int64_t timeMs) const
{
    std::size_t low = 0;
    std::size_t high = size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if ((*this)[middle].timeMs < timeMs)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

} // namespace wirevane::chart
