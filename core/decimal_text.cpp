#include "core/decimal_text.h"

namespace wirevane {

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

std::optional<int32_t> ParseDelayText(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    int64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > kLongestDelayMs)
            return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

} // namespace wirevane
