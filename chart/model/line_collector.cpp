#include "chart/model/line_collector.h"

namespace wirevane::chart {

namespace {

std::string Utf8(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
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
