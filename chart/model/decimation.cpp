#include "chart/model/decimation.h"

#include <algorithm>
#include <cmath>

namespace wirevane::chart {

int ColumnOf(int64_t timeMs, int64_t fromMs, int64_t toMs, int columns)
{
    const int64_t span = std::max<int64_t>(toMs - fromMs, 1);
    const int64_t column = (timeMs - fromMs) * columns / span;
    return static_cast<int>(std::clamp<int64_t>(column, 0, columns - 1));
}

Decimated Decimate(const SeriesRing& ring, int64_t fromMs, int64_t toMs, int columns)
{
    Decimated result;
    if (columns <= 0 || toMs < fromMs)
        return result;
    result.columns.resize(static_cast<std::size_t>(columns));
    for (std::size_t i = ring.LowerBound(fromMs); i < ring.size(); ++i) {
        const ChartPoint& point = ring[i];
        if (point.timeMs > toMs)
            break;
        result.stats.Add(point.value);
        if (std::isnan(point.value))
            continue;
        ColumnRange& column =
            result.columns[static_cast<std::size_t>(ColumnOf(point.timeMs, fromMs, toMs, columns))];
        if (!column.any) {
            column = {true, point.value, point.value, point.value, point.value};
            continue;
        }
        column.min = std::min(column.min, point.value);
        column.max = std::max(column.max, point.value);
        column.last = point.value;
    }
    return result;
}

} // namespace wirevane::chart
