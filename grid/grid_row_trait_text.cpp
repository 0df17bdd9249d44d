#include "grid/grid_row_trait_text.h"

#include <QPainter>

namespace wirevane {

void CGridRowTraitText::SetRowColor(const QColor& text, const QColor& back)
{
    m_textColor = text;
    m_backColor = back;
}

void CGridRowTraitText::SetAltRowColor(const QColor& text, const QColor& back)
{
    m_altTextColor = text;
    m_altBackColor = back;
}

void CGridRowTraitText::OnRowPainted(QPainter& painter, const GridRowPaint& row)
{
    if (!row.focusRow || !row.listFocused || row.focusCellRect.isNull()) {
        return;
    }
    painter.save();
    QPen pen(row.palette.color(QPalette::Text));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(row.focusCellRect.adjusted(0, 0, -1, -1));
    painter.restore();
}

std::optional<QColor> CGridRowTraitText::RowTextColor(int row) const
{
    if (row % 2 == 1 && m_altTextColor) {
        return m_altTextColor;
    }
    return m_textColor;
}

std::optional<QColor> CGridRowTraitText::RowBackColor(int row) const
{
    if (row % 2 == 1 && m_altBackColor) {
        return m_altBackColor;
    }
    return m_backColor;
}

} // namespace wirevane
