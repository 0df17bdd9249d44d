#pragma once

#include "core/measurement.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

// One number of a line a device printed, and the series it belongs to.
struct LineNumber {
    std::string series;
    double value;
};

// A line holds at most this many numbers that count: what follows is left out, so a hostile or
// garbled line costs a bounded amount of memory and of series however long it is.
constexpr std::size_t kMaxLineNumbers = 32;
// A longer word before ":" or "=" is not taken as a label (its number stays unlabelled), so a
// series name stays something a legend can show.
constexpr std::size_t kMaxLabelBytes = 32;

// The numbers of a line, in order: "12.5", "1.0, 2.0, 3.0", "temp:21.4 hum=48". Fields are
// parted by blanks, tabs, commas and semicolons. A word right before ":" or "=" labels the number
// that follows and names its series; an unlabelled number's series is its column among the
// line's numbers, "1", "2", .... A number may carry a unit after it ("12V", "48%"), but a word
// with digits after the number is no number ("2026-12-08", "0x1F", "v2"). NaN, infinities and
// values beyond a double's range ("1e999") keep their column and are left out: nothing that is
// not finite reaches a chart or a file. Empty: the line has no numbers.
std::vector<LineNumber> ParseLineNumbers(std::string_view line);

// The line's numbers as measurements taken at the time, each with the text it was printed as.
std::vector<Measurement> MeasurementsFromLine(std::string_view line,
                                              std::chrono::system_clock::time_point time);

} // namespace wirevane
