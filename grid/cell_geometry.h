#pragma once

#include <QPoint>
#include <QRect>
#include <functional>

class QAbstractItemView;

namespace wirevane {

class CGridCellModel;

// Where a cell of the grid and its parts stand, in viewport coordinates, and which cell stands
// at a point. Rows are the table's rows, grouped or not.
class CellGeometry {
public:
    static constexpr int kIconSide = 16;

    CellGeometry(const QAbstractItemView& view, const CGridCellModel& model,
                 std::function<bool(int column)> columnHasImages);

    // Null for a row or column the list does not show.
    QRect CellRect(int row, int column) const;
    // Null in columns without images.
    QRect IconRect(int row, int column) const;
    // The cell right of its icon: where the text goes.
    QRect LabelRect(int row, int column) const;
    // The table row and column under a viewport point; false outside every cell.
    bool HitTest(QPoint point, int& row, int& column) const;

private:
    const QAbstractItemView& m_view;
    const CGridCellModel& m_model;
    std::function<bool(int column)> m_columnHasImages;
};

} // namespace wirevane
