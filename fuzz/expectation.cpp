#include "core/expectation.h"

#include "core/pattern.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace wirevane;

// Arbitrary expected answers (plain text with escapes, and "re:" patterns) against arbitrary
// answers: no crash, no hang (libFuzzer's -timeout), the typed-text refusal agrees with the
// loaded expectation, and a match's bounds lie inside the text in order.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const auto encoding = static_cast<TextEncoding>(data[0] % 3);
    const bool pattern = (data[0] & 0x80) != 0;
    const std::size_t textLength = std::min<std::size_t>(data[1], size - 2);
    std::u16string text = pattern ? u"re:" : u"";
    for (std::size_t i = 0; i < textLength; ++i)
        text += static_cast<char16_t>(data[2 + i]);
    const std::span<const uint8_t> answer(data + 2 + textLength, size - 2 - textLength);

    const Expectation expectation(text, encoding);
    if (pattern && ExpectationError(text) != expectation.error())
        std::abort();
    const bool passed = expectation.Check(answer);
    if (!expectation.error().empty() && passed)
        std::abort();

    if (pattern && expectation.error().empty()) {
        const Pattern compiled = Pattern::Compile(std::u16string_view(text).substr(3));
        const std::u32string decoded = ToCodePoints(DecodeForDisplay(answer, encoding));
        const Pattern::Found found = compiled.Search(decoded);
        const auto& match = found.match;
        // A pattern with groups reads the answer a character at a time, which may differ on a
        // malformed answer.
        if (compiled.groupCount() == 0 && match.has_value() != passed &&
            answer.size() <= Expectation::kAnswerKeptBytes)
            std::abort();
        if (match) {
            for (std::size_t slot = 0; slot + 1 < match->bounds.size(); slot += 2) {
                const auto start = match->bounds[slot];
                const auto end = match->bounds[slot + 1];
                if ((start < 0) != (end < 0) || start > end ||
                    end > static_cast<std::ptrdiff_t>(decoded.size()))
                    std::abort();
            }
        }
    }
    return 0;
}
