#pragma once

#include "chart/model/series_ring.h"
#include "chart/model/series_stats.h"

#include <cstdint>
#include <vector>

namespace wirevane::chart {

// What one pixel column of the plot holds of a series: the lowest and highest value, for the
// vertical stroke, and the first and last, to join it to its neighbours in time order.
struct ColumnRange {
    bool any = false;
    double min = 0;
    double max = 0;
    double first = 0;
    double last = 0;
};

struct Decimated {
    std::vector<ColumnRange> columns;
    SeriesStats stats; // of the points in the time range
};

// The column of a time in [fromMs, toMs] split into `columns` equal parts; toMs itself falls in
// the last column.
int ColumnOf(int64_t timeMs, int64_t fromMs, int64_t toMs, int columns);

// The points of the ring from fromMs to toMs, both included, reduced to their range per column:
// drawing costs one pass over the points in the range and then only the columns, whatever the
// number of points. Over-range points count in the statistics but take no column.
Decimated Decimate(const SeriesRing& ring, int64_t fromMs, int64_t toMs, int columns);

} // namespace wirevane::chart
