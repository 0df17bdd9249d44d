#pragma once

#include "core/pattern.h"
#include "core/text_encoding.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

// A row's expected answer. Plain text must occur in the answer as the bytes the row's send data
// would make of it (the same escapes and encoding, without the line end), so "OK\r" means O, K,
// CR. Text that starts with "re:" is a pattern searched in the answer decoded in the table's
// encoding. Empty text checks nothing.
class Expectation {
public:
    static constexpr std::u16string_view kPatternPrefix = u"re:";
    // The newest bytes of an answer that a check looks at; an endless answer must not make a
    // check slower with every byte.
    static constexpr std::size_t kAnswerKeptBytes = 4096;

    Expectation() = default;
    Expectation(std::u16string_view text, TextEncoding encoding);

    bool IsSet() const { return !m_text.empty(); }
    bool IsPattern() const { return m_isPattern; }
    const std::u16string& text() const { return m_text; }
    // Why the text cannot be checked (a pattern that does not compile, a character the encoding
    // lacks); such an expectation fails every answer.
    const std::u16string& error() const { return m_error; }

    struct Verdict {
        bool passed = true;
        // Why a failed answer could not be judged: the expectation's error, or a pattern search
        // that gave up. Empty when the answer simply did not satisfy it.
        std::u16string reason;
        // The groups of a passing pattern, group 1 first, as the answer's bytes; none for a
        // group that took no part.
        std::vector<std::optional<Bytes>> groups;
    };
    // Whether the answer (the newest kAnswerKeptBytes of it) satisfies the expectation; always
    // a pass when nothing is expected.
    Verdict Judge(std::span<const uint8_t> answer) const;
    bool Check(std::span<const uint8_t> answer) const { return Judge(answer).passed; }

    // Why a pattern check failed when its search ran out of work.
    static constexpr std::u16string_view kGaveUp =
        u"matching gave up: the pattern takes too long on this answer";

private:
    std::u16string m_text;
    TextEncoding m_encoding = TextEncoding::Sjis;
    std::u16string m_error;
    bool m_isPattern = false;
    Bytes m_needle;
    Pattern m_pattern;
};

// Empty when the text can be used as an expected answer, otherwise the reason (for a pattern,
// what is wrong and where). The grid refuses a typed text with a reason.
std::u16string ExpectationError(std::u16string_view text);

} // namespace wirevane
