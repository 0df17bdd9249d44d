#include "tools/wirevane-run/line_number_feed.h"

#include "core/line_numbers.h"
#include "platform/utf_text.h"

namespace wirevane::runner {

void LineNumberFeed::Take(std::u16string_view text, TrafficTime readTime)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(u"\r\n", start);
        const std::u16string_view part =
            text.substr(start, end == std::u16string_view::npos ? end : end - start);
        if (!m_overlong) {
            m_part.clear();
            platform::AppendUtf8(part, m_part);
            if (m_line.size() + m_part.size() > kMaxLineBytes) {
                m_overlong = true;
                m_line.clear();
            } else {
                m_line.append(m_part.begin(), m_part.end());
            }
        }
        if (end == std::u16string_view::npos)
            return;
        EndLine(readTime);
        start = end + 1;
    }
}

void LineNumberFeed::EndLine(TrafficTime readTime)
{
    if (!m_overlong && !m_line.empty())
        for (const Measurement& m : MeasurementsFromLine(m_line, readTime))
            m_sink.AddMeasurement(m);
    m_line.clear();
    m_overlong = false;
}

} // namespace wirevane::runner
