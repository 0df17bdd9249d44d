#include "grid/grid_cell_delegate.h"

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
    const int row = m_grid.cellModel().tableRow(index);
    if (row < 0) {
        return;
    }
    const int column = index.column();
    const CGridColumnTrait* trait = m_grid.GetColumnTrait(column);
    CGridRowTrait& rowTrait = m_grid.GetRowTrait();
    const bool listFocused =
        m_grid.hasFocus() || (m_grid.editor() != nullptr && m_grid.editor()->hasFocus());
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const bool focusCell = row == m_grid.focusRow() && column == m_grid.focusColumn();
    const bool drawSelected = selected && !(focusCell && rowTrait.InvertsFocusCell());

    QColor background = option.palette.color(QPalette::Base);
    QColor foreground = option.palette.color(QPalette::Text);
    if (auto c = rowTrait.RowBackColor(row)) {
        background = *c;
    }
    if (auto c = rowTrait.RowTextColor(row)) {
        foreground = *c;
    }
    if (trait != nullptr) {
        if (auto c = trait->CellBackColor(row)) {
            background = *c;
        }
        if (auto c = trait->CellTextColor(row)) {
            foreground = *c;
        }
    }
    QColor fill = background;
    if (drawSelected) {
        // The list shows its selection always, dimmer while it lacks the focus.
        const QPalette::ColorGroup group = listFocused ? QPalette::Active : QPalette::Inactive;
        fill = option.palette.color(group, QPalette::Highlight);
        foreground = option.palette.color(group, QPalette::HighlightedText);
    }

    painter->save();
    painter->fillRect(option.rect, fill);

    GridCellPaint cell;
    cell.row = row;
    cell.column = column;
    cell.cellRect = option.rect;
    cell.iconRect = m_grid.CellIconRect(row, column);
    cell.icon = m_grid.CellIcon(row, column);
    cell.background = background;
    cell.palette = option.palette;
    cell.selected = selected;
    cell.hot = (option.state & QStyle::State_MouseOver) != 0;
    cell.listFocused = listFocused;
    if (!cell.icon.isNull()) {
        cell.icon.paint(painter, cell.iconRect);
    }

    QRect label = m_grid.CellLabelRect(row, column).adjusted(2, 0, -2, 0);
    QFont font = option.font;
    if (trait != nullptr) {
        if (auto f = trait->CellFont(row)) {
            font = *f;
        }
    }
    const QString mark = m_grid.CellRemarkOf(row, column).mark;
    if (!mark.isEmpty()) {
        const int markWidth = QFontMetrics(font).horizontalAdvance(mark) + 4;
        QColor dimmed = foreground;
        dimmed.setAlpha(120);
        painter->setFont(font);
        painter->setPen(dimmed);
        painter->drawText(label, static_cast<int>(Qt::AlignRight | Qt::AlignVCenter), mark);
        label.setRight(std::max(label.left(), label.right() - markWidth));
    }
    painter->setFont(font);
    painter->setPen(foreground);
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
