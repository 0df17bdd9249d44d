#include "platform/port_enumeration.h"

#include <algorithm>
#include <cctype>

namespace wirevane::platform {

bool PortNameLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::size_t startA = i;
            const std::size_t startB = j;
            while (i < a.size() && isDigit(a[i]))
                ++i;
            while (j < b.size() && isDigit(b[j]))
                ++j;
            std::string_view numberA = a.substr(startA, i - startA);
            std::string_view numberB = b.substr(startB, j - startB);
            numberA.remove_prefix(std::min(numberA.find_first_not_of('0'), numberA.size()));
            numberB.remove_prefix(std::min(numberB.find_first_not_of('0'), numberB.size()));
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (numberA != numberB)
                return numberA < numberB;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j || (a.size() - i == b.size() - j && a < b);
}

} // namespace wirevane::platform
