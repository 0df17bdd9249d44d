#include "grid/cell_geometry.h"

#include "grid/grid_cell_model.h"

#include <QAbstractItemView>
#include <algorithm>

namespace wirevane {

CellGeometry::CellGeometry(const QAbstractItemView& view, const CGridCellModel& model,
                           std::function<bool(int column)> columnHasImages)
    : m_view(view), m_model(model), m_columnHasImages(std::move(columnHasImages))
{
}

QRect CellGeometry::CellRect(int row, int column) const
{
    const QModelIndex at = m_model.IndexOfRow(row, column);
    return at.isValid() ? m_view.visualRect(at) : QRect();
}

QRect CellGeometry::IconRect(int row, int column) const
{
    const QRect cell = CellRect(row, column);
    if (!m_columnHasImages(column) || cell.isNull()) {
        return {};
    }
    const int side = std::min(kIconSide, cell.height());
    return QRect(cell.left() + 2, cell.top() + (cell.height() - side) / 2, side, side);
}

QRect CellGeometry::LabelRect(int row, int column) const
{
    QRect cell = CellRect(row, column);
    const QRect icon = IconRect(row, column);
    if (!icon.isNull()) {
        cell.setLeft(std::min(icon.right() + 3, cell.right()));
    }
    return cell;
}

bool CellGeometry::HitTest(QPoint point, int& row, int& column) const
{
    const QModelIndex at = m_view.indexAt(point);
    row = m_model.TableRow(at);
    column = at.column();
    return row >= 0;
}

} // namespace wirevane
