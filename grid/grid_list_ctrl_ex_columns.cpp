#include "grid/grid_column_trait_text.h"
#include "grid/grid_header.h"
#include "grid/grid_list_ctrl_ex.h"

#include <QFontMetrics>
#include <algorithm>
#include <utility>

namespace wirevane {

// ---- columns ----

int CGridListCtrlEx::GetColumnCount() const
{
    return static_cast<int>(m_columnInfo.size());
}

CGridColumnTrait* CGridListCtrlEx::GetColumnTrait(int column) const
{
    if (column < 0 || column >= GetColumnCount()) {
        return nullptr;
    }
    return m_columnInfo[static_cast<size_t>(column)].trait.get();
}

int CGridListCtrlEx::GetSubItemId(int column) const
{
    return column >= 0 && column < GetColumnCount()
               ? m_columnInfo[static_cast<size_t>(column)].subItem
               : -1;
}

QString CGridListCtrlEx::GetColumnTitle(int column) const
{
    return m_model->ColumnTitle(column);
}

Qt::Alignment CGridListCtrlEx::ColumnAlignment(int column) const
{
    return m_model->ColumnAlignment(column) & Qt::AlignHorizontal_Mask;
}

bool CGridListCtrlEx::IsColumnVisible(int column) const
{
    return column >= 0 && column < GetColumnCount() && !m_header->isSectionHidden(column);
}

std::vector<int> CGridListCtrlEx::GetColumnOrder() const
{
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(m_header->count()));
    for (int visual = 0; visual < m_header->count(); ++visual) {
        order.push_back(m_header->logicalIndex(visual));
    }
    return order;
}

int CGridListCtrlEx::GetFirstVisibleColumn() const
{
    for (int column : GetColumnOrder()) {
        if (IsColumnVisible(column)) {
            return column;
        }
    }
    return -1;
}

void CGridListCtrlEx::HideSection(int column)
{
    CGridColumnTrait::ColumnState& state = GetColumnTrait(column)->GetColumnState();
    if (!m_header->isSectionHidden(column)) {
        state.widthToRestore = LayoutWidth(column);
        TakeLayoutWidth(column);
    }
    state.visible = false;
    state.position = -1;
    m_header->hideSection(column);
}

void CGridListCtrlEx::MoveSection(int column, int visual)
{
    const bool arranging = std::exchange(m_arrangingSections, true);
    m_header->moveSection(m_header->visualIndex(column), visual);
    m_arrangingSections = arranging;
}

int CGridListCtrlEx::HiddenLeadingCount() const
{
    int hidden = 0;
    for (int column = 0; column < GetColumnCount(); ++column) {
        if (!IsColumnVisible(column)) {
            ++hidden;
        }
    }
    return hidden;
}

bool CGridListCtrlEx::ShowColumn(int column, bool show)
{
    CGridColumnTrait* trait = GetColumnTrait(column);
    if (trait == nullptr) {
        return false;
    }
    CGridColumnTrait::ColumnState& state = trait->GetColumnState();
    if ((show && state.alwaysHidden) || (!show && state.alwaysVisible)) {
        return false;
    }
    if (show == IsColumnVisible(column)) {
        return true;
    }
    const bool arranging = std::exchange(m_arrangingSections, true);
    if (show) {
        const int position = state.position;
        m_header->showSection(column);
        m_header->resizeSection(column, state.widthToRestore);
        state.visible = true;
        FitWholeText();
        state.position = -1;
        // Back where it stood before it was hidden, behind the hidden columns in any case.
        const int last = GetColumnCount() - 1;
        MoveSection(column,
                    position >= 0 ? std::clamp(position, HiddenLeadingCount(), last) : last);
    } else {
        const int position = m_header->visualIndex(column);
        HideSection(column);
        state.position = position;
        MoveSection(column, 0);
        if (m_selection.FocusColumn() == column) {
            m_selection.SetFocusColumn(-1);
        }
    }
    m_arrangingSections = arranging;
    viewport()->update();
    m_layout.SaveAttached();
    return true;
}

bool CGridListCtrlEx::SetColumnWidth(int column, int width)
{
    CGridColumnTrait* trait = GetColumnTrait(column);
    if (trait == nullptr || !trait->GetColumnState().resizable ||
        (!IsColumnVisible(column) && width != 0)) {
        return false;
    }
    m_layout.SaveAttached();
    TakeLayoutWidth(column);
    const bool arranging = std::exchange(m_arrangingSections, true);
    m_header->resizeSection(column, width);
    m_arrangingSections = arranging;
    FitWholeText();
    return true;
}

int CGridListCtrlEx::ShownTextWidth(int row, int column) const
{
    QFont cellFont = font();
    if (const CGridColumnTrait* trait = GetColumnTrait(column)) {
        if (auto f = trait->CellFont(row)) {
            cellFont = *f;
        }
    }
    return QFontMetrics(cellFont).horizontalAdvance(
        m_model->ShownTextOf(column, GetCellText(row, column)));
}

int CGridListCtrlEx::ContentsWidth(int column) const
{
    int widest = 0;
    for (int row = 0; row < GetRowCount(); ++row) {
        widest = std::max(widest, ShownTextWidth(row, column));
    }
    const int icon = ColumnHasImages(column) ? CellGeometry::kIconSide + 5 : 0;
    return widest + icon + 6;
}

void CGridListCtrlEx::FitColumnToContents(int column)
{
    if (IsColumnVisible(column)) {
        SetColumnWidth(column, ContentsWidth(column));
    }
}

void CGridListCtrlEx::FitAllColumns()
{
    for (int column = 0; column < GetColumnCount(); ++column) {
        FitColumnToContents(column);
    }
}

void CGridListCtrlEx::ResetColumnLayout()
{
    m_layout.ResetColumnLayout();
}

void CGridListCtrlEx::SwitchLayoutProfile(std::u16string_view name)
{
    m_layout.SwitchLayoutProfile(name);
}

void CGridListCtrlEx::OnHeaderPressed()
{
    TakeFocus();
}

void CGridListCtrlEx::OnDividerDragEnded()
{
    m_layout.SaveAttached();
}

void CGridListCtrlEx::OnSectionMovedByUser(int logical, int, int newVisual)
{
    if (m_arrangingSections) {
        return;
    }
    m_selection.SetFocusColumn(-1);
    // Hidden columns stay in front: nothing is dropped before the first visible column.
    const int hidden = HiddenLeadingCount();
    if (newVisual < hidden) {
        MoveSection(logical, hidden);
    }
    viewport()->update();
}

bool CGridListCtrlEx::OnSectionResizedByUser(int logical, int newSize)
{
    const CGridColumnTrait* trait = GetColumnTrait(logical);
    if (m_arrangingSections || trait == nullptr) {
        return false;
    }
    TakeLayoutWidth(logical);
    const CGridColumnTrait::ColumnState& state = trait->GetColumnState();
    int bounded = newSize;
    if (state.minWidth >= 0) {
        bounded = std::max(bounded, state.minWidth);
    }
    if (state.maxWidth >= 0) {
        bounded = std::min(bounded, state.maxWidth);
    }
    if (bounded != newSize) {
        const bool arranging = std::exchange(m_arrangingSections, true);
        m_header->resizeSection(logical, bounded);
        m_arrangingSections = arranging;
    }
    return true;
}

} // namespace wirevane
