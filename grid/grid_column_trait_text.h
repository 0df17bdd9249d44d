#pragma once

#include "grid/grid_column_trait.h"

namespace wirevane {

// A column of plain text whose cells may carry their own font and colours (none by default).
class CGridColumnTraitText : public CGridColumnTrait {
public:
    void SetCellFont(const QFont& font) { m_font = font; }
    void SetTextColor(const QColor& color) { m_textColor = color; }
    void SetBackColor(const QColor& color) { m_backColor = color; }

    std::optional<QFont> CellFont(int row) const override;
    std::optional<QColor> CellTextColor(int row) const override;
    std::optional<QColor> CellBackColor(int row) const override;

private:
    std::optional<QFont> m_font;
    std::optional<QColor> m_textColor;
    std::optional<QColor> m_backColor;
};

} // namespace wirevane
