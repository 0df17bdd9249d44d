#include "grid/type_ahead.h"

#include <QString>

namespace wirevane {

std::optional<TypeAheadSearch::Search>
TypeAheadSearch::OnChar(char16_t ch, bool ctrl, int64_t nowSeconds, int focusColumn, int focusRow)
{
    if (focusColumn < 1) {
        return std::nullopt;
    }
    if (ctrl) {
        m_text.clear();
        return std::nullopt;
    }
    if (!m_lastTime || nowSeconds - *m_lastTime >= 2 || focusColumn != m_lastColumn ||
        focusRow != m_lastRow) {
        m_text.clear();
    }
    m_lastTime = nowSeconds;
    m_lastColumn = focusColumn;
    m_lastRow = focusRow;

    Search search;
    if (m_text.size() == 1 && m_text[0] == ch) {
        search.startRow = focusRow + 1;
    } else {
        m_text += ch;
        // A longer text may still match the row found for its beginning.
        search.startRow = m_text.size() == 1 ? focusRow + 1 : focusRow;
    }
    search.text = m_text;
    return search;
}

int TypeAheadSearch::FindRow(const Search& search, int rowCount,
                             const std::function<std::u16string(int)>& textOfRow)
{
    if (rowCount <= 0) {
        return -1;
    }
    const QString wanted = QString::fromStdU16String(search.text);
    const int start = ((search.startRow % rowCount) + rowCount) % rowCount;
    for (int i = 0; i < rowCount; ++i) {
        const int row = (start + i) % rowCount;
        if (QString::fromStdU16String(textOfRow(row)).startsWith(wanted, Qt::CaseInsensitive)) {
            return row;
        }
    }
    return -1;
}

} // namespace wirevane
