#include "grid/grid_selection.h"

#include "grid/grid_cell_model.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <algorithm>

namespace wirevane {

GridSelection::GridSelection(QAbstractItemView& view, const CGridCellModel& model)
    : m_view(view), m_model(model)
{
}

int GridSelection::FocusRow() const
{
    return m_model.TableRow(m_view.currentIndex());
}

void GridSelection::MoveFocusTo(int column)
{
    m_column = column;
    const int row = FocusRow();
    if (row >= 0 && column >= 0) {
        m_view.selectionModel()->setCurrentIndex(m_model.IndexOfRow(row, column),
                                                 QItemSelectionModel::NoUpdate);
    }
}

void GridSelection::SetFocusRow(int row, int fallbackColumn)
{
    const int column = m_column >= 0 ? m_column : fallbackColumn;
    const QModelIndex at = m_model.IndexOfRow(row, std::max(column, 0));
    if (at.isValid()) {
        m_view.selectionModel()->setCurrentIndex(at, QItemSelectionModel::NoUpdate);
    }
}

bool GridSelection::IsRowSelected(int row) const
{
    const QModelIndex at = m_model.IndexOfRow(row, 0);
    return at.isValid() && m_view.selectionModel()->isRowSelected(at.row(), at.parent());
}

std::vector<int> GridSelection::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = 0; row < m_model.TableRowCount(); ++row) {
        if (IsRowSelected(row)) {
            rows.push_back(row);
        }
    }
    return rows;
}

void GridSelection::SelectRow(int row, bool only)
{
    const QModelIndex at = m_model.IndexOfRow(row, 0);
    if (!at.isValid()) {
        return;
    }
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::Rows;
    flags |= only ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select;
    m_view.selectionModel()->select(at, flags);
}

} // namespace wirevane
