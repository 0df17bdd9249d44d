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

    virtual int rowCount() const = 0;
    virtual void appendRow() = 0;

    virtual std::u16string cellText(int row, int column) const = 0;
    virtual void setCellText(int row, int column, std::u16string_view text) = 0;
    virtual int cellImage(int row, int column) const = 0;
    virtual void setCellImage(int row, int column, int image) = 0;

    // Gives the grid the keyboard focus; an open in-place editor commits and closes on it.
    virtual void takeFocus() = 0;
    virtual void ensureRowVisible(int row) = 0;
    virtual void clearSelection() = 0;
    virtual void setFocusRow(int row) = 0;
    virtual void setFocusColumn(int column) = 0;
    virtual void redrawRow(int row) = 0;
};

} // namespace wirevane
