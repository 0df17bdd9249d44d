#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <optional>

class QWidget;

namespace wirevane {

class CGridListCtrlEx;

// The point of an edit started from the keyboard rather than by a click.
inline constexpr QPoint kKeyboardEditPoint(-1, -1);

// How one column of the grid behaves: whether and how a click edits its cells, whether a cell is
// read-only, and the colours and font of its cells. The grid owns one trait per column. The base
// trait edits nothing; its click rule answers "edit after the click" only for a click on the cell
// that already has the focus.
class CGridColumnTrait {
public:
    // What the grid and the column layout know about a column besides its cells.
    struct ColumnState {
        bool visible = true;
        int initialWidth = 0;
        int initialPosition = -1;
        bool alwaysHidden = false;
        bool alwaysVisible = false;
        bool sortable = true;
        bool editable = true;
        bool resizable = true;
        int minWidth = -1;
        int maxWidth = -1;
        int metaFlags = 0;
        // Remembered while the column is hidden: the width and display position it gets back.
        int widthToRestore = 0;
        int position = -1;
    };

    // The click rule's answers.
    enum ClickEdit : int { kNoEdit = 0, kEditAfterClick = 1, kEditAtOnce = 2 };

    CGridColumnTrait() = default;
    virtual ~CGridColumnTrait();
    CGridColumnTrait(const CGridColumnTrait&) = delete;
    CGridColumnTrait& operator=(const CGridColumnTrait&) = delete;

    ColumnState& GetColumnState() { return m_state; }
    const ColumnState& GetColumnState() const { return m_state; }

    virtual int ClickStartsEdit(const CGridListCtrlEx& owner, int row, int column, QPoint point,
                                bool doubleClick) const;
    // An edit started at a point of the cell ((-1, -1) from the keyboard). Answers the editor
    // window, or null when the start made no editor (it may still have changed the cell).
    virtual QWidget* BeginCellEditor(CGridListCtrlEx& owner, int row, int column, QPoint point);
    // An edit started without a point: the editor of the cell, if the column has one.
    virtual QWidget* OpenCellEditor(CGridListCtrlEx& owner, int row, int column);
    // Runs when an editor ends without ever being shown (its start was refused).
    virtual void OnEditEnd() {}

    virtual bool IsCellLocked(const CGridListCtrlEx& owner, int row, int column,
                              QPoint point) const;
    virtual std::optional<QFont> CellFont(int row) const;
    virtual std::optional<QColor> CellTextColor(int row) const;
    virtual std::optional<QColor> CellBackColor(int row) const;
    // Where an editor of the cell stands, in viewport coordinates.
    virtual QRect CellEditRect(const CGridListCtrlEx& owner, int row, int column) const;

private:
    ColumnState m_state;
};

} // namespace wirevane
