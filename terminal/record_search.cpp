#include "terminal/record_search.h"

#include <QStringView>
#include <algorithm>

namespace wirevane {

std::vector<TextMatch> FindAll(std::u16string_view text, std::u16string_view needle, bool matchCase,
                               std::size_t limit)
{
    std::vector<TextMatch> matches;
    if (needle.empty())
        return matches;
    const QStringView haystack(text.data(), qsizetype(text.size()));
    const QStringView wanted(needle.data(), qsizetype(needle.size()));
    const Qt::CaseSensitivity sensitivity = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = haystack.indexOf(wanted, 0, sensitivity); at >= 0 && matches.size() < limit;
         at = haystack.indexOf(wanted, at + wanted.size(), sensitivity))
        matches.push_back({std::size_t(at), needle.size()});
    return matches;
}

std::optional<std::size_t> StepFrom(const std::vector<TextMatch>& matches, std::size_t place,
                                    bool forward)
{
    if (matches.empty())
        return std::nullopt;
    const auto startsAfter = [](std::size_t at, const TextMatch& match) {
        return at < match.start;
    };
    if (forward) {
        const auto next = std::upper_bound(matches.begin(), matches.end(), place, startsAfter);
        return next == matches.end() ? 0 : std::size_t(next - matches.begin());
    }
    const auto notBefore =
        std::lower_bound(matches.begin(), matches.end(), place,
                         [](const TextMatch& match, std::size_t at) { return match.start < at; });
    return notBefore == matches.begin() ? matches.size() - 1
                                        : std::size_t(notBefore - matches.begin()) - 1;
}

} // namespace wirevane
