#include "grid/decimal_validator.h"

#include <cstdint>
#include <limits>

namespace wirevane {

QValidator::State DecimalValidator::validate(QString& input, int& /*position*/) const
{
    qsizetype i = 0;
    bool negative = false;
    if (i < input.size() && (input[i] == u'+' || input[i] == u'-')) {
        negative = input[i] == u'-';
        ++i;
    }
    if (i == input.size())
        return Intermediate;
    const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    int64_t value = 0;
    for (; i < input.size(); ++i) {
        const char16_t c = input[i].unicode();
        if (c < u'0' || c > u'9')
            return Invalid;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return Invalid;
    }
    return Acceptable;
}

} // namespace wirevane
