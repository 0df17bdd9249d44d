#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace wirevane {

// One occurrence of the searched text, in characters of the text searched.
struct TextMatch {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The occurrences of needle in text, oldest first, none overlapping, at most limit of them.
// Without matchCase, letters match whatever their case, full-width ones too; kana and kanji
// match only themselves.
std::vector<TextMatch> FindAll(std::u16string_view text, std::u16string_view needle, bool matchCase,
                               std::size_t limit);

// The match to go to from a place in the text: forward, the first that starts after it;
// backward, the last that starts before it; round to the other end when there is none.
std::optional<std::size_t> StepFrom(const std::vector<TextMatch>& matches, std::size_t place,
                                    bool forward);

} // namespace wirevane
