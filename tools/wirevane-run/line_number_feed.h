#pragma once

#include "core/measurement.h"
#include "terminal/traffic/traffic_time.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::runner {

// Cuts received text into lines and hands each line's numbers to the sink, stamped with the
// time of the read that ended the line. CR, LF and CR LF all end a line, whatever line end the
// device uses. A line that grows past kMaxLineBytes is dropped up to its end: a device that
// never ends its lines must not grow the runner's memory.
class LineNumberFeed {
public:
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;

    explicit LineNumberFeed(MeasurementSink& sink) : m_sink(sink) {}

    void Take(std::u16string_view text, TrafficTime readTime);

private:
    void EndLine(TrafficTime readTime);

    MeasurementSink& m_sink;
    std::string m_line; // UTF-8
    std::vector<uint8_t> m_part;
    bool m_overlong = false;
};

} // namespace wirevane::runner
