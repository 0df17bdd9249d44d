#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace wirevane {

enum class MeasureMode { None, Ac, Dc };

// One reading as data: the meter's, or one number of a line the device printed.
struct Measurement {
    // The wall clock of the first byte of the read that completed the frame or the line.
    std::chrono::system_clock::time_point time;
    // "meter", or a line series' name: its label, or its column "1", "2", ...
    std::string series;
    // In SI base units; empty when the meter shows over-range.
    std::optional<double> value;
    // UTF-8: "V" "A" "Ω" "Hz" "%" "F" "°C"; empty for line series.
    std::string unit;
    MeasureMode mode = MeasureMode::None;
    // The text as displayed, UTF-8 ("AC -12.34 V", "21.4").
    std::string reading;
};

// Whoever takes readings as they come (a chart, a CSV recorder).
class MeasurementSink {
public:
    virtual ~MeasurementSink() = default;
    virtual void AddMeasurement(const Measurement& m) = 0;
};

} // namespace wirevane
