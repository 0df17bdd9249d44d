#pragma once

#include "grid/grid_row_trait.h"

namespace wirevane {

// Rows with their own text and background colours, optionally different on alternate rows (all
// unset by default), a focus rectangle round the focus cell of the focused row, and the focus
// cell drawn unselected inside a selected row (on by default).
class CGridRowTraitText : public CGridRowTrait {
public:
    void SetRowColor(const QColor& text, const QColor& back);
    void SetAltRowColor(const QColor& text, const QColor& back);
    void SetInvertCellSelection(bool on) { m_invertCellSelection = on; }

    void OnRowPainted(QPainter& painter, const GridRowPaint& row) override;
    std::optional<QColor> RowTextColor(int row) const override;
    std::optional<QColor> RowBackColor(int row) const override;
    bool InvertsFocusCell() const override { return m_invertCellSelection; }

private:
    std::optional<QColor> m_textColor;
    std::optional<QColor> m_backColor;
    std::optional<QColor> m_altTextColor;
    std::optional<QColor> m_altBackColor;
    bool m_invertCellSelection = true;
};

} // namespace wirevane
