#pragma once

#include <vector>

namespace wirevane {

// The columns of a list control as the column layout save and load see them. Columns are
// addressed by their index in column order (the order they were inserted, 0 first); the display
// order is the left-to-right order on screen, a permutation of all column indexes, hidden
// columns included. The grid control implements it over its header and column traits; tests use
// an in-memory model.
//
// Saves are the layout code's business: nothing here writes settings. While a layout load
// changes widths and visibility the grid must not save on its own: the layout code detaches
// the grid's section for that time.
class ColumnModel {
public:
    virtual ~ColumnModel() = default;

    virtual int GetColumnCount() const = 0;

    // The sub-item id stored in the layout keys (the send table: 0..5 for its columns 1..6).
    virtual int GetSubItemId(int column) const = 0;

    virtual bool IsVisible(int column) const = 0;
    // Current width in pixels; 0 for a hidden column.
    virtual int GetWidth(int column) const = 0;

    // Trait flags: a column that must never be shown (the send table's column 0), one that must
    // always be shown, and one whose width the user and a stored layout may change.
    virtual bool IsAlwaysHidden(int column) const = 0;
    virtual bool IsAlwaysVisible(int column) const = 0;
    virtual bool IsResizable(int column) const = 0;

    // Column indexes from left to right, every column once.
    virtual std::vector<int> GetDisplayOrder() const = 0;
    virtual void SetDisplayOrder(const std::vector<int>& order) = 0;

    // Marks the column visible without changing its width.
    virtual void ShowColumn(int column) = 0;
    virtual void SetWidth(int column, int width) = 0;
    // Marks the column hidden: its trait remembers the current width as the one to restore when
    // it is shown again and its position as -1 (none), then its width becomes 0.
    virtual void HideColumn(int column) = 0;

    // Redraw off while a load rearranges the columns; on again repaints the whole list.
    virtual void SetRedraw(bool on) = 0;
};

} // namespace wirevane
