#include "terminal/traffic/line_stamper.h"

namespace wirevane {

void LineStamper::Step(char16_t ch)
{
    m_atLineStart = ch == u'\n' && m_afterCr;
    m_afterCr = ch == u'\r';
}

void LineStamper::Follow(std::u16string_view text)
{
    if (text.empty())
        return;
    // Only the last two characters decide; a long text costs no more than a short one.
    if (text.size() > 2) {
        m_afterCr = text[text.size() - 3] == u'\r';
        text = text.substr(text.size() - 2);
    }
    for (char16_t ch : text)
        Step(ch);
}

std::vector<std::size_t> LineStamper::LineStarts(std::u16string_view text)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (m_atLineStart)
            starts.push_back(i);
        Step(text[i]);
    }
    return starts;
}

std::u16string LineStamper::Stamp(std::u16string_view text, std::u16string_view stamp)
{
    return InsertStamps(text, LineStarts(text), stamp);
}

void LineStamper::Restart(bool atLineStart, bool afterCr)
{
    m_atLineStart = atLineStart;
    m_afterCr = afterCr;
}

std::u16string InsertStamps(std::u16string_view text, const std::vector<std::size_t>& places,
                            std::u16string_view stamp)
{
    std::u16string stamped;
    stamped.reserve(text.size() + places.size() * stamp.size());
    std::size_t copied = 0;
    for (std::size_t place : places) {
        stamped.append(text.substr(copied, place - copied));
        stamped.append(stamp);
        copied = place;
    }
    stamped.append(text.substr(copied));
    return stamped;
}

} // namespace wirevane
