#include "chart/model/line_collector.h"

#include "platform/utf_text.h"

#include <cstdint>

namespace wirevane::chart {

namespace {

std::string Utf8(std::u16string_view text)
{
    std::vector<uint8_t> bytes;
    platform::AppendUtf8(text, bytes);
    return std::string(bytes.begin(), bytes.end());
}

std::u16string_view LineEnd(int receiveConversion)
{
    switch (receiveConversion) {
    case 1:
        return u"\r";
    case 2:
        return u"\n";
    default:
        return u"\r\n";
    }
}

} // namespace

std::vector<LineCollector::Line> LineCollector::Add(std::u16string_view text, Time readTime,
                                                    int receiveConversion)
{
    std::vector<Line> lines;
    const std::u16string_view end = LineEnd(receiveConversion);
    if (m_pending.empty() && !m_overlong)
        m_pendingTime = readTime;
    m_pending.append(text);
    std::size_t start = 0;
    for (std::size_t at = m_pending.find(end); at != std::u16string::npos;
         at = m_pending.find(end, start)) {
        if (!m_overlong && at - start <= kLongestLine)
            lines.push_back(
                {Utf8(std::u16string_view(m_pending).substr(start, at - start)), m_pendingTime});
        m_overlong = false;
        start = at + end.size();
        m_pendingTime = readTime;
    }
    m_pending.erase(0, start);
    if (m_pending.size() > kLongestLine) {
        m_overlong = true;
        // A CR LF end may be split over two texts: its CR stays.
        m_pending.erase(0, m_pending.size() - (end.size() - 1));
    }
    return lines;
}

void LineCollector::Clear()
{
    m_pending.clear();
    m_overlong = false;
}

} // namespace wirevane::chart
