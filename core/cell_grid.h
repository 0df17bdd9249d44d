#pragma once

#include <string>
#include <string_view>

namespace wirevane {

// What the send table needs of the grid that shows it: text and an image per cell, plus the
// focus and scroll requests. The grid's cells are the authoritative copy of the table. The Qt
// grid control implements it for the window; MemoryCellGrid serves tests and the headless runner.
class CellGrid {
public:
    virtual ~CellGrid() = default;

    virtual int GetRowCount() const = 0;
    virtual void AppendRow() = 0;

    virtual std::u16string GetCellText(int row, int column) const = 0;
    virtual void SetCellText(int row, int column, std::u16string_view text) = 0;
    virtual int GetCellImage(int row, int column) const = 0;
    virtual void SetCellImage(int row, int column, int image) = 0;

    // Gives the grid the keyboard focus; an open in-place editor commits and closes on it.
    virtual void TakeFocus() = 0;
    virtual void EnsureRowVisible(int row) = 0;
    // The row a run has come to: in sight by the next frame at the latest. A grid that shows
    // itself may gather many such rows into one scroll.
    virtual void FollowRow(int row) { EnsureRowVisible(row); }
    virtual void ClearSelection() = 0;
    virtual void SetFocusRow(int row) = 0;
    virtual void SetFocusColumn(int column) = 0;
    virtual void RedrawRow(int row) = 0;
};

} // namespace wirevane
