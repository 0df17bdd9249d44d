#include "core/expectation.h"

#include <algorithm>

namespace wirevane {

namespace {

bool IsPatternText(std::u16string_view text)
{
    return text.starts_with(Expectation::kPatternPrefix);
}

} // namespace

Expectation::Expectation(std::u16string_view text, TextEncoding encoding)
    : m_text(text), m_encoding(encoding), m_isPattern(IsPatternText(text))
{
    if (m_isPattern) {
        m_pattern = Pattern::Compile(text.substr(kPatternPrefix.size()));
        m_error = m_pattern.error();
        return;
    }
    if (RowTextUnencodable(text, encoding))
        m_error = u"the expected text has a character the table's encoding cannot carry";
    else
        m_needle = RowTextToBytes(text, encoding);
}

Expectation::Verdict Expectation::Judge(std::span<const uint8_t> answer) const
{
    if (!IsSet())
        return {};
    if (!m_error.empty())
        return {false, m_error};
    if (answer.size() > kAnswerKeptBytes)
        answer = answer.last(kAnswerKeptBytes);
    if (!m_isPattern)
        return {std::search(answer.begin(), answer.end(), m_needle.begin(), m_needle.end()) !=
                    answer.end(),
                {}};
    const Pattern::Found found =
        m_pattern.Search(ToCodePoints(DecodeForDisplay(answer, m_encoding)));
    if (found.gaveUp)
        return {false, std::u16string(kGaveUp)};
    return {found.match.has_value(), {}};
}

std::u16string ExpectationError(std::u16string_view text)
{
    if (!IsPatternText(text))
        return {};
    return Pattern::Compile(text.substr(Expectation::kPatternPrefix.size())).error();
}

} // namespace wirevane
