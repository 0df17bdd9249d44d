#include "core/answer_timeout_text.h"

namespace wirevane {

namespace {

std::u16string Number(int value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

} // namespace

std::u16string NoAnswerText(int row, int limitMs)
{
    return u"No answer to row " + Number(row) + u" within " + Number(limitMs) + u" ms.";
}

} // namespace wirevane
