#pragma once

#include <QColor>
#include <QPalette>
#include <optional>

namespace wirevane {

// What decides one cell's colours: the list's palette, the row trait's and the column trait's
// own colours (the column's win), and the cell's state.
struct CellColorInputs {
    QPalette palette;
    std::optional<QColor> rowBack;
    std::optional<QColor> rowText;
    std::optional<QColor> cellBack;
    std::optional<QColor> cellText;
    bool selected = false;
    // The focus cell of its row, and whether the row trait draws that cell unselected.
    bool focusCell = false;
    bool invertsFocusCell = false;
    bool listFocused = false;
};

struct CellColors {
    // The cell's own background, which the row trait's painting after the cell builds on.
    QColor background;
    // What the cell is filled with: the background, or the selection's highlight.
    QColor fill;
    QColor text;
};

// The list shows its selection always, dimmer (the inactive colour group) while neither it nor
// its editor has the focus.
CellColors ResolveCellColors(const CellColorInputs& in);

} // namespace wirevane
