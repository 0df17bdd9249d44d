#pragma once

#include <vector>

class QAbstractItemView;

namespace wirevane {

class CGridCellModel;

// The grid's focus cell and row selection. The focus row is the view's current row; the focus
// column is the grid's own, since a list selects whole rows and -1 (no focus cell) is a state
// of its own: a hidden or moved column gives the focus cell up.
class GridSelection {
public:
    GridSelection(QAbstractItemView& view, const CGridCellModel& model);

    int FocusRow() const;
    int FocusColumn() const { return m_column; }
    // Only the column: the current row stays where it is.
    void SetFocusColumn(int column) { m_column = column; }
    // The column, and the view's current cell along with it.
    void MoveFocusTo(int column);
    // Makes the row current in the focus column, or in fallbackColumn without one.
    void SetFocusRow(int row, int fallbackColumn);

    bool IsRowSelected(int row) const;
    std::vector<int> SelectedRows() const;
    void SelectRow(int row, bool only);

private:
    QAbstractItemView& m_view;
    const CGridCellModel& m_model;
    int m_column = -1;
};

} // namespace wirevane
