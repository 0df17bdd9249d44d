#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace wirevane {

// Type-ahead search over the focus column: the characters typed within two seconds of each other
// (whole seconds of the clock), on the same focus cell, build a search text. Typing the same
// single character again searches on for its next match instead of growing the text.
class TypeAheadSearch {
public:
    struct Search {
        std::u16string text;
        int startRow = 0; // the first row to look at; the search wraps round
    };

    // A character typed on the list. Nothing to search for without a focus column above 0, and
    // with Ctrl held (which also forgets the text).
    std::optional<Search> OnChar(char16_t ch, bool ctrl, int64_t nowSeconds, int focusColumn,
                                 int focusRow);
    // The row that the search made the focused one; typing on from there continues the search.
    void NoteFocusRow(int row) { m_lastRow = row; }

    // The first row from startRow on, wrapping round, whose text begins with the search text
    // (ignoring case); -1 when none does.
    static int FindRow(const Search& search, int rowCount,
                       const std::function<std::u16string(int)>& textOfRow);

private:
    std::u16string m_text;
    std::optional<int64_t> m_lastTime;
    int m_lastColumn = -1;
    int m_lastRow = -1;
};

} // namespace wirevane
