#pragma once

#include "core/measurement.h"
#include "core/tester_frame.h"

#include <chrono>
#include <optional>

namespace wirevane {

// The meter's reading as a measurement of the series "meter", its value in SI base units
// (`-12.34 mV` is -0.01234); over-range gives one with no value. A display that shows neither a
// number nor over-range (segments lit half-way, a frame not yet whole) is no reading: nullopt.
std::optional<Measurement> MeasurementFromTester(const TesterReading& r,
                                                 std::chrono::system_clock::time_point time);

} // namespace wirevane
