#include "grid/grid_header.h"
#include "grid/grid_list_ctrl_ex.h"

#include <QEvent>
#include <algorithm>
#include <utility>

namespace wirevane {

void CGridListCtrlEx::KeepColumnTextWhole(int column)
{
    m_wholeText = WholeTextColumn{column, {}, -1};
    connect(m_model, &QAbstractItemModel::dataChanged, this, &CGridListCtrlEx::OnCellsChanged,
            Qt::UniqueConnection);
    m_wholeText.widths.resize(static_cast<size_t>(GetRowCount()));
    for (int row = 0; row < GetRowCount(); ++row) {
        m_wholeText.widths[static_cast<size_t>(row)] = ShownTextWidth(row, column);
    }
    FitWholeText();
}

int CGridListCtrlEx::LayoutWidth(int column) const
{
    if (!IsColumnVisible(column)) {
        return 0;
    }
    if (column == m_wholeText.column && m_wholeText.layoutWidth >= 0) {
        return m_wholeText.layoutWidth;
    }
    return m_header->sectionSize(column);
}

void CGridListCtrlEx::OnCellsChanged(const QModelIndex& first, const QModelIndex& last)
{
    const int column = m_wholeText.column;
    if (column < first.column() || column > last.column()) {
        return;
    }
    m_wholeText.widths.resize(static_cast<size_t>(GetRowCount()));
    for (int at = first.row(); at <= last.row(); ++at) {
        const int row = m_model->TableRow(first.siblingAtRow(at));
        if (row >= 0) {
            m_wholeText.widths[static_cast<size_t>(row)] = ShownTextWidth(row, column);
        }
    }
    FitWholeText();
}

void CGridListCtrlEx::FitWholeText()
{
    const int column = m_wholeText.column;
    if (column < 0 || !IsColumnVisible(column)) {
        return;
    }
    const int widest = m_wholeText.widths.empty() ? 0
                                                  : *std::max_element(m_wholeText.widths.begin(),
                                                                      m_wholeText.widths.end());
    const int icon = ColumnHasImages(column) ? CellGeometry::kIconSide + 5 : 0;
    const int needed = widest + icon + 6;
    const int layoutWidth = LayoutWidth(column);
    const int shown = std::max(layoutWidth, needed);
    m_wholeText.layoutWidth = shown > layoutWidth ? layoutWidth : -1;
    if (m_header->sectionSize(column) != shown) {
        const bool arranging = std::exchange(m_arrangingSections, true);
        m_header->resizeSection(column, shown);
        m_arrangingSections = arranging;
    }
}

void CGridListCtrlEx::TakeLayoutWidth(int column)
{
    if (column == m_wholeText.column) {
        m_wholeText.layoutWidth = -1;
    }
}

void CGridListCtrlEx::changeEvent(QEvent* event)
{
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_wholeText.column >= 0) {
        KeepColumnTextWhole(m_wholeText.column);
    }
}

} // namespace wirevane
