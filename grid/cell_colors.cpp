#include "grid/cell_colors.h"

namespace wirevane {

CellColors ResolveCellColors(const CellColorInputs& in)
{
    CellColors out;
    out.background = in.cellBack.value_or(in.rowBack.value_or(in.palette.color(QPalette::Base)));
    out.text = in.cellText.value_or(in.rowText.value_or(in.palette.color(QPalette::Text)));
    out.fill = out.background;
    const bool drawSelected = in.selected && !(in.focusCell && in.invertsFocusCell);
    if (drawSelected) {
        const QPalette::ColorGroup group = in.listFocused ? QPalette::Active : QPalette::Inactive;
        out.fill = in.palette.color(group, QPalette::Highlight);
        out.text = in.palette.color(group, QPalette::HighlightedText);
    }
    return out;
}

} // namespace wirevane
