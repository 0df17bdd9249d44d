#include "grid/grid_cell_delegate.h"

#include "grid/cell_colors.h"
#include "grid/grid_list_ctrl_ex.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace wirevane {

CGridCellDelegate::CGridCellDelegate(CGridListCtrlEx& grid)
    : QStyledItemDelegate(&grid), m_grid(grid)
{
}

void CGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const int row = m_grid.GetCellModel().TableRow(index);
    if (row < 0) {
        return;
    }
    const int column = index.column();
    const CGridColumnTrait* trait = m_grid.GetColumnTrait(column);
    CGridRowTrait& rowTrait = m_grid.GetRowTrait();
    const bool listFocused =
        m_grid.hasFocus() || (m_grid.GetEditor() != nullptr && m_grid.GetEditor()->hasFocus());
    const bool selected = (option.state & QStyle::State_Selected) != 0;

    CellColorInputs inputs;
    inputs.palette = option.palette;
    inputs.rowBack = rowTrait.RowBackColor(row);
    inputs.rowText = rowTrait.RowTextColor(row);
    if (trait != nullptr) {
        inputs.cellBack = trait->CellBackColor(row);
        inputs.cellText = trait->CellTextColor(row);
    }
    inputs.selected = selected;
    inputs.focusCell =
        row == m_grid.Selection().FocusRow() && column == m_grid.Selection().FocusColumn();
    inputs.invertsFocusCell = rowTrait.InvertsFocusCell();
    inputs.listFocused = listFocused;
    const CellColors colors = ResolveCellColors(inputs);

    painter->save();
    painter->fillRect(option.rect, colors.fill);

    GridCellPaint cell;
    cell.row = row;
    cell.column = column;
    cell.cellRect = option.rect;
    cell.iconRect = m_grid.Geometry().IconRect(row, column);
    cell.icon = m_grid.CellIcon(row, column);
    cell.background = colors.background;
    cell.palette = option.palette;
    cell.selected = selected;
    cell.hot = (option.state & QStyle::State_MouseOver) != 0;
    cell.listFocused = listFocused;
    if (!cell.icon.isNull()) {
        cell.icon.paint(painter, cell.iconRect);
    }

    QRect label = m_grid.Geometry().LabelRect(row, column).adjusted(2, 0, -2, 0);
    QFont font = option.font;
    if (trait != nullptr) {
        if (auto f = trait->CellFont(row)) {
            font = *f;
        }
    }
    const QString mark = m_grid.CellRemarkOf(row, column).mark;
    if (!mark.isEmpty()) {
        const int markWidth = QFontMetrics(font).horizontalAdvance(mark) + 4;
        QColor dimmed = colors.text;
        dimmed.setAlpha(120);
        painter->setFont(font);
        painter->setPen(dimmed);
        painter->drawText(label, static_cast<int>(Qt::AlignRight | Qt::AlignVCenter), mark);
        label.setRight(std::max(label.left(), label.right() - markWidth));
    }
    painter->setFont(font);
    painter->setPen(colors.text);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, label.width());
    painter->drawText(label, static_cast<int>(m_grid.ColumnAlignment(column) | Qt::AlignVCenter),
                      shown);
    painter->restore();

    rowTrait.OnCellPainted(*painter, cell);
}

QSize CGridCellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(0, std::max(QFontMetrics(option.font).height() + 4, 18));
}

} // namespace wirevane
