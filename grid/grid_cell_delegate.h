#pragma once

#include <QStyledItemDelegate>

namespace wirevane {

class CGridListCtrlEx;

// Paints one cell of the grid: background by selection, column trait and row trait (the focus
// cell of a selected row drawn unselected when the row trait inverts it), the cell's image in
// its icon rectangle, the text in the label rectangle; then hands the cell to the row trait.
class CGridCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CGridCellDelegate(CGridListCtrlEx& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CGridListCtrlEx& m_grid;
};

} // namespace wirevane
