#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::chart {

// Received text cut into lines for the numbers-from-lines mode, ended as the terminal's receive
// conversion ends them: with no conversion a CR LF pair, with CR→CR+NL a CR, with NL→CR+NL a
// LF. A line's time is the read time of the text that began it, and the rest of a line waits
// for the next text. A line longer than the limit is dropped whole, so a device that never ends
// its lines cannot fill the memory.
class LineCollector {
public:
    using Time = std::chrono::system_clock::time_point;
    struct Line {
        std::string text; // UTF-8, without its line end
        Time time;
    };
    static constexpr std::size_t kLongestLine = 64 * 1024;

    // receiveConversion is the terminal's: 0 none, 1 CR→CR+NL, 2 NL→CR+NL.
    std::vector<Line> Add(std::u16string_view text, Time readTime, int receiveConversion);
    void Clear();

private:
    std::u16string m_pending;
    Time m_pendingTime{};
    bool m_overlong = false;
};

} // namespace wirevane::chart
