#include "core/expectation.h"

#include <algorithm>

namespace wirevane {

namespace {

bool IsPatternText(std::u16string_view text)
{
    return text.starts_with(Expectation::kPatternPrefix);
}

// The answer read a character at a time, with the byte each code point starts at and the
// answer's end last, so a group's text can be given back as the bytes it was read from. A
// malformed character that reads as several code points gives them all its first byte.
struct ReadAnswer {
    std::u32string text;
    std::vector<std::size_t> starts;
};

ReadAnswer ReadByCharacter(std::span<const uint8_t> answer, TextEncoding encoding)
{
    ReadAnswer read;
    for (std::size_t at = 0; at < answer.size();) {
        const std::size_t length =
            std::min<std::size_t>(CharLength(answer[at], encoding), answer.size() - at);
        for (char32_t c : ToCodePoints(DecodeForDisplay(answer.subspan(at, length), encoding))) {
            read.text += c;
            read.starts.push_back(at);
        }
        at += length;
    }
    read.starts.push_back(answer.size());
    return read;
}

std::vector<std::optional<Bytes>> GroupBytes(const Pattern::Match& match, const ReadAnswer& read,
                                             std::span<const uint8_t> answer)
{
    auto byteAt = [&](std::size_t slot) {
        const std::size_t point = static_cast<std::size_t>(match.bounds[slot]);
        return answer.begin() + static_cast<std::ptrdiff_t>(read.starts[point]);
    };
    std::vector<std::optional<Bytes>> groups;
    for (std::size_t slot = 2; slot + 1 < match.bounds.size(); slot += 2) {
        if (match.bounds[slot] < 0 || match.bounds[slot + 1] < 0)
            groups.emplace_back();
        else
            groups.emplace_back(Bytes(byteAt(slot), byteAt(slot + 1)));
    }
    return groups;
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
        return {false, m_error, {}};
    if (answer.size() > kAnswerKeptBytes)
        answer = answer.last(kAnswerKeptBytes);
    if (!m_isPattern)
        return {std::search(answer.begin(), answer.end(), m_needle.begin(), m_needle.end()) !=
                    answer.end(),
                {},
                {}};
    // The whole answer is read at once unless a group's bytes are wanted.
    if (m_pattern.groupCount() == 0) {
        const Pattern::Found found =
            m_pattern.Search(ToCodePoints(DecodeForDisplay(answer, m_encoding)));
        if (found.gaveUp)
            return {false, std::u16string(kGaveUp), {}};
        return {found.match.has_value(), {}, {}};
    }
    const ReadAnswer read = ReadByCharacter(answer, ShownEncoding(m_encoding));
    const Pattern::Found found = m_pattern.Search(read.text);
    if (found.gaveUp)
        return {false, std::u16string(kGaveUp), {}};
    if (!found.match)
        return {false, {}, {}};
    return {true, {}, GroupBytes(*found.match, read, answer)};
}

std::u16string ExpectationError(std::u16string_view text)
{
    if (!IsPatternText(text))
        return {};
    return Pattern::Compile(text.substr(Expectation::kPatternPrefix.size())).error();
}

} // namespace wirevane
