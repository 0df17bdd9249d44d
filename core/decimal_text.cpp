#include "core/decimal_text.h"

namespace wirevane {

std::optional<uint64_t> ParseWholeNumber(std::u16string_view text, uint64_t highest,
                                         std::u16string_view blanks)
{
    while (!text.empty() && blanks.find(text.front()) != std::u16string_view::npos)
        text.remove_prefix(1);
    while (!text.empty() && blanks.find(text.back()) != std::u16string_view::npos)
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - u'0');
        if (value > highest)
            return std::nullopt;
    }
    return value;
}

std::optional<int32_t> ParseDelayText(std::u16string_view text)
{
    const std::optional<uint64_t> value = ParseWholeNumber(text, kLongestDelayMs);
    if (!value)
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

} // namespace wirevane
