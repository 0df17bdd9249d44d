#include "grid/grid_column_trait_text.h"

namespace wirevane {

std::optional<QFont> CGridColumnTraitText::CellFont(int) const
{
    return m_font;
}

std::optional<QColor> CGridColumnTraitText::CellTextColor(int) const
{
    return m_textColor;
}

std::optional<QColor> CGridColumnTraitText::CellBackColor(int) const
{
    return m_backColor;
}

} // namespace wirevane
