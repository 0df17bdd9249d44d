#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QRect>
#include <optional>

class QPainter;

namespace wirevane {

// One painted cell, as the grid hands it to the row trait after painting it.
struct GridCellPaint {
    int row = -1;
    int column = -1;
    QRect cellRect;
    QRect iconRect; // null when the column shows no images
    QIcon icon;     // null when the cell has no image
    QColor background;
    QPalette palette;
    bool selected = false;
    bool hot = false;
    bool listFocused = false; // the list or its editor has the keyboard focus
};

// One painted row of the grid, after all its cells.
struct GridRowPaint {
    int row = -1;
    QRect rowRect;
    QRect focusCellRect; // null when the row has no focus cell
    QPalette palette;
    bool focusRow = false;
    bool listFocused = false;
};

// How the grid draws its rows beyond the cells' own painting. The base trait adds nothing.
class CGridRowTrait {
public:
    CGridRowTrait() = default;
    virtual ~CGridRowTrait() = default;
    CGridRowTrait(const CGridRowTrait&) = delete;
    CGridRowTrait& operator=(const CGridRowTrait&) = delete;

    virtual void OnCellPainted(QPainter&, const GridCellPaint&) {}
    virtual void OnRowPainted(QPainter&, const GridRowPaint&) {}
    virtual std::optional<QColor> RowTextColor(int) const { return std::nullopt; }
    virtual std::optional<QColor> RowBackColor(int) const { return std::nullopt; }
    // In a selected, focused row the focus cell is drawn unselected, so it stands out.
    virtual bool InvertsFocusCell() const { return false; }
};

} // namespace wirevane
