#include "terminal/terminal_record.h"

#include "core/text_encoding.h"

#include <algorithm>
#include <utility>

namespace wirevane {

void RecordTrim::Add(const RecordTrim& later)
{
    if (later.lines > 0) {
        lines += later.lines;
        pieces = later.pieces;
    } else {
        pieces += later.pieces;
    }
}

TerminalRecord::TerminalRecord(std::size_t limit, std::size_t pieceLength)
    : m_limit(std::max(limit, pieceLength)), m_pieceLength(std::max<std::size_t>(pieceLength, 1))
{
}

std::u16string_view TerminalRecord::Text() const
{
    return std::u16string_view(m_text).substr(m_start);
}

void TerminalRecord::Append(std::u16string_view text)
{
    if (text.empty())
        return;
    const std::size_t from = m_text.size();
    const std::size_t needed = from + text.size();
    if (needed > m_text.capacity()) {
        // Grown by doubling alone, a record held near its limit would reserve twice what it
        // ever holds and, while growing, briefly hold both buffers.
        m_text.reserve(std::max(needed, std::min(2 * m_text.capacity(), m_limit + m_limit / 4)));
    }
    m_text += text;
    // A CR already in the record pairs with an LF that starts this text.
    for (std::size_t i = std::max(from, m_start + 1); i < m_text.size(); ++i) {
        if (m_text[i] == u'\n' && m_text[i - 1] == u'\r')
            m_lineStarts.push_back(i + 1);
    }
    if (size() > m_limit)
        TrimToLimit();
}

TerminalRecord::OwnLineBreaks TerminalRecord::AppendOwnLine(std::u16string_view text)
{
    OwnLineBreaks breaks;
    if (text.empty())
        return breaks;
    breaks.before = !AtLineStart();
    if (breaks.before)
        m_lineStarts.push_back(m_text.size());
    Append(text);
    breaks.after = !AtLineStart();
    if (breaks.after)
        m_lineStarts.push_back(m_text.size());
    return breaks;
}

bool TerminalRecord::AtLineStart() const
{
    return empty() || (!m_lineStarts.empty() && m_lineStarts.back() == m_text.size());
}

bool TerminalRecord::RemoveLast()
{
    if (empty())
        return false;
    // A character beyond 16 bits is a surrogate pair: it goes whole, as the view takes it back.
    const std::u16string_view text = Text();
    const std::size_t units = text.size() >= 2 ? UnitsOfCharacterAt(text, text.size() - 2) : 1;
    for (std::size_t i = 0; i < units; ++i) {
        if (!m_lineStarts.empty() && m_lineStarts.back() == m_text.size())
            m_lineStarts.pop_back();
        m_text.pop_back();
    }
    return true;
}

void TerminalRecord::Clear()
{
    m_text.clear();
    m_start = 0;
    m_lineStarts.clear();
    m_trimmed = false;
    m_pendingTrim = {};
}

void TerminalRecord::TrimToLimit()
{
    const std::size_t need = m_start + (size() - m_limit);
    RecordTrim trim;
    // Whole lines that end at or before the cut go first.
    std::size_t lineStart = m_start;
    while (!m_lineStarts.empty() && m_lineStarts.front() <= need) {
        lineStart = m_lineStarts.front();
        m_lineStarts.pop_front();
        ++trim.lines;
    }
    std::size_t cut = lineStart;
    if (cut < need) {
        // The cut falls inside a line. A line that ends within a piece of the cut goes whole;
        // of a longer one only the pieces before the cut go, so that the view's pieces and the
        // record stay aligned.
        const bool lastLine = m_lineStarts.empty();
        const std::size_t lineEnd = lastLine ? m_text.size() : m_lineStarts.front();
        const std::size_t contentEnd = lastLine ? m_text.size() : lineEnd - 2;
        const std::size_t pieces = (need - lineStart + m_pieceLength - 1) / m_pieceLength;
        const std::size_t pieceCut = lineStart + pieces * m_pieceLength;
        if (lastLine || (lineEnd - need > m_pieceLength && pieceCut < contentEnd)) {
            cut = pieceCut;
            trim.pieces = pieces;
        } else {
            cut = lineEnd;
            m_lineStarts.pop_front();
            ++trim.lines;
        }
    }
    m_start = cut;
    m_trimmed = true;
    m_pendingTrim.Add(trim);
    Compact();
}

void TerminalRecord::Compact()
{
    if (m_start < m_limit / 4)
        return;
    m_text.erase(0, m_start);
    for (std::size_t& start : m_lineStarts)
        start -= m_start;
    m_start = 0;
}

RecordTrim TerminalRecord::TakeTrim()
{
    return std::exchange(m_pendingTrim, RecordTrim{});
}

} // namespace wirevane
