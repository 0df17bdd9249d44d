#include "core/answer_window.h"

namespace wirevane {

void AnswerWindow::Open(Expectation expectation, bool decidesOnArrival)
{
    m_expectation = std::move(expectation);
    m_bytes.clear();
    m_open = true;
    m_decidesOnArrival = decidesOnArrival;
}

bool AnswerWindow::Take(std::span<const uint8_t> bytes)
{
    if (!m_open)
        return false;
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    // Trimmed in halves, so a flood costs one move per two kilobytes rather than one per read.
    if (m_bytes.size() > 2 * Expectation::kAnswerKeptBytes)
        m_bytes.erase(m_bytes.begin(),
                      m_bytes.end() - static_cast<std::ptrdiff_t>(Expectation::kAnswerKeptBytes));
    if (!m_decidesOnArrival || !Judge().passed)
        return false;
    m_open = false;
    return true;
}

} // namespace wirevane
