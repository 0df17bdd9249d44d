#include "grid/grid_row_trait_xp.h"

#include <QPainter>

namespace wirevane {

void CGridRowTraitXP::OnCellPainted(QPainter& painter, const GridCellPaint& cell)
{
    if (cell.icon.isNull() || cell.iconRect.isNull()) {
        return;
    }
    QColor behind = cell.background;
    if (cell.selected) {
        behind = cell.listFocused ? cell.palette.color(QPalette::Active, QPalette::Highlight)
                                  : cell.palette.color(QPalette::Button);
    } else if (cell.hot) {
        behind = cell.palette.color(QPalette::Highlight).lighter(170);
    }
    painter.fillRect(cell.iconRect, behind);
    cell.icon.paint(&painter, cell.iconRect);
}

} // namespace wirevane
