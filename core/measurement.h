#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace wirevane {

enum class MeasureMode { None, Ac, Dc };

struct Measurement {
    std::chrono::system_clock::time_point time;
    std::string series;
    std::optional<double> value;
    std::string unit;
    MeasureMode mode = MeasureMode::None;
    std::string reading;
};

class MeasurementSink {
public:
    virtual ~MeasurementSink() = default;
    virtual void AddMeasurement(const Measurement& m) = 0;
};

} // namespace wirevane
