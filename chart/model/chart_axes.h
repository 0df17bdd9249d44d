#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wirevane::chart {

// The visible spans the user chooses from.
enum class ChartSpan { OneMinute, TenMinutes, OneHour, All };

struct TimeRange {
    int64_t fromMs = 0;
    int64_t toMs = 0;
};

// The time range a span shows, ending at `endMs` (the newest reading, or where a paused view
// holds); All starts at the first reading. Never empty, so a single reading has room.
TimeRange VisibleRange(ChartSpan span, int64_t firstMs, int64_t endMs);

// Time ticks on the local clock: the step is the smallest of 1, 2, 5, 10, 15, 30 s, 1, 2, 5,
// 10, 15, 30 min, 1, 2, 3, 6, 12 h and days that leaves at least minGapPx between labels.
struct TimeTicks {
    int64_t stepMs = 0;
    std::vector<int64_t> ticks;
};
TimeTicks ChooseTimeTicks(const TimeRange& range, int pixels, int minGapPx, int64_t utcOffsetMs);
// The step as the axis names it: "10 s", "5 min", "2 h", "1 d".
std::string StepText(int64_t stepMs);

struct ValueRange {
    double low = 0;
    double high = 1;
};
// The data's range with a little room above and below; a flat line gets room around its value.
// The room stops at the largest finite values.
ValueRange AutoRange(double min, double max);
// Ticks at 1, 2 or 5 times a power of ten, about `wanted` of them inside the range and never
// more than wanted + 1, in increasing order. A range narrower than the doubles can divide at its
// size gets only the ticks they can tell apart.
std::vector<double> ValueTicks(const ValueRange& range, int wanted);
// Where a value lies in a range of any finite width, 0 at low and 1 at high, held within
// -kFractionBound..kFractionBound so that a reading far outside a typed range still draws as a
// line leaving the plot.
inline constexpr double kFractionBound = 1e3;
double ValueFraction(const ValueRange& range, double value);

} // namespace wirevane::chart
