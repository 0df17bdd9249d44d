#include "chart/model/chart_axes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace wirevane::chart {

namespace {

constexpr int64_t kSecond = 1000;
constexpr int64_t kMinute = 60 * kSecond;
constexpr int64_t kHour = 60 * kMinute;
constexpr int64_t kDay = 24 * kHour;

constexpr double kLargest = std::numeric_limits<double>::max();

constexpr std::array<int64_t, 17> kSteps = {
    1 * kSecond, 2 * kSecond, 5 * kSecond, 10 * kSecond, 15 * kSecond, 30 * kSecond,
    1 * kMinute, 2 * kMinute, 5 * kMinute, 10 * kMinute, 15 * kMinute, 30 * kMinute,
    1 * kHour,   2 * kHour,   3 * kHour,   6 * kHour,    12 * kHour};

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

} // namespace

TimeRange VisibleRange(ChartSpan span, int64_t firstMs, int64_t endMs)
{
    int64_t length = 0;
    switch (span) {
    case ChartSpan::OneMinute:
        length = kMinute;
        break;
    case ChartSpan::TenMinutes:
        length = 10 * kMinute;
        break;
    case ChartSpan::OneHour:
        length = kHour;
        break;
    case ChartSpan::All:
        length = std::max<int64_t>(endMs - firstMs, kSecond);
        break;
    }
    return {endMs - length, endMs};
}

TimeTicks ChooseTimeTicks(const TimeRange& range, int pixels, int minGapPx, int64_t utcOffsetMs)
{
    TimeTicks result;
    const int64_t span = std::max<int64_t>(range.toMs - range.fromMs, 1);
    const int64_t needed = span * std::max(minGapPx, 1) / std::max(pixels, 1);
    result.stepMs = kDay;
    for (const int64_t step : kSteps) {
        if (step >= needed) {
            result.stepMs = step;
            break;
        }
    }
    while (result.stepMs < needed)
        result.stepMs += kDay;
    // Ticks fall on whole steps of the local clock: 12:00:00, 12:00:10, ...
    const int64_t firstLocal =
        (FloorDiv(range.fromMs + utcOffsetMs, result.stepMs) + 1) * result.stepMs;
    for (int64_t local = firstLocal; local - utcOffsetMs <= range.toMs; local += result.stepMs)
        result.ticks.push_back(local - utcOffsetMs);
    return result;
}

std::string StepText(int64_t stepMs)
{
    if (stepMs % kDay == 0)
        return std::to_string(stepMs / kDay) + " d";
    if (stepMs % kHour == 0)
        return std::to_string(stepMs / kHour) + " h";
    if (stepMs % kMinute == 0)
        return std::to_string(stepMs / kMinute) + " min";
    return std::to_string(stepMs / kSecond) + " s";
}

ValueRange AutoRange(double min, double max)
{
    if (!std::isfinite(min) || !std::isfinite(max) || min > max)
        return {};
    const auto roomy = [](double low, double high, double room) {
        return ValueRange{std::max(low - room, -kLargest), std::min(high + room, kLargest)};
    };
    if (min == max)
        return roomy(min, max, min == 0 ? 1 : std::abs(min) * 0.1);
    // Halves: the difference of two values far apart can be larger than any double.
    return roomy(min, max, (max / 2 - min / 2) * 0.1);
}

std::vector<double> ValueTicks(const ValueRange& range, int wanted)
{
    std::vector<double> ticks;
    const double halfSpan = range.high / 2 - range.low / 2;
    if (!(halfSpan > 0) || !std::isfinite(halfSpan) || wanted <= 0)
        return ticks;
    const double rough = std::min(halfSpan / wanted * 2, kLargest);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (!std::isfinite(factor * power))
            break;
        step = factor * power;
        if (step >= rough)
            break;
    }
    // Counted from the first, not added up: where a step is below what the doubles can tell
    // apart, adding it would leave the tick where it was, for ever. No more than wanted + 1
    // steps fit in the range.
    const double first = std::ceil(range.low / step);
    for (int i = 0; i <= wanted; ++i) {
        const double tick = (first + i) * step;
        if (tick > range.high)
            break;
        if (!ticks.empty() && tick <= ticks.back())
            continue;
        ticks.push_back(std::abs(tick) < step * 1e-9 ? 0.0 : tick);
    }
    return ticks;
}

double ValueFraction(const ValueRange& range, double value)
{
    const double fraction = (value / 2 - range.low / 2) / (range.high / 2 - range.low / 2);
    if (std::isnan(fraction))
        return 0;
    return std::clamp(fraction, -kFractionBound, kFractionBound);
}

} // namespace wirevane::chart
