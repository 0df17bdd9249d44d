#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace wirevane::chart {

// Count, minimum, maximum, mean and last of the readings that have a value; over-range readings
// are counted apart.
struct SeriesStats {
    uint64_t count = 0;
    uint64_t overRange = 0;
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    double sum = 0;
    double last = std::numeric_limits<double>::quiet_NaN();

    void Add(double value)
    {
        if (std::isnan(value)) {
            ++overRange;
            return;
        }
        ++count;
        min = std::min(min, value);
        max = std::max(max, value);
        sum += value;
        last = value;
    }
    double mean() const
    {
        return count == 0 ? std::numeric_limits<double>::quiet_NaN() : sum / count;
    }
};

} // namespace wirevane::chart
