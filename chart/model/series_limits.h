#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace wirevane::chart {

// A low and a high limit of one series; either may be unset. A reading outside them is out of
// range: below low or above high, the limits themselves are in range.
struct SeriesLimits {
    std::optional<double> low;
    std::optional<double> high;

    bool set() const { return low || high; }
    bool Outside(double value) const { return (low && value < *low) || (high && value > *high); }
    bool operator==(const SeriesLimits&) const = default;
};

using LimitsBySeries = std::map<std::string, SeriesLimits>;

// The limits as one settings value, "series,low,high;..." with an unset limit empty and the
// separators and '%' in a series name written as %XX; series without limits are left out.
std::string LimitsText(const LimitsBySeries& limits);
// Reads that form back; an entry it cannot read is skipped, not the rest.
LimitsBySeries ParseLimitsText(std::string_view text);

} // namespace wirevane::chart
