#include "grid/header_column_model.h"

#include "grid/grid_header.h"
#include "grid/grid_list_ctrl_ex.h"

#include <utility>

namespace wirevane {

int HeaderColumnModel::GetColumnCount() const
{
    return m_grid.GetColumnCount();
}

int HeaderColumnModel::GetSubItemId(int column) const
{
    return m_grid.GetSubItemId(column);
}

bool HeaderColumnModel::IsVisible(int column) const
{
    return m_grid.IsColumnVisible(column);
}

int HeaderColumnModel::GetWidth(int column) const
{
    return m_grid.LayoutWidth(column);
}

bool HeaderColumnModel::IsAlwaysHidden(int column) const
{
    return m_grid.GetColumnTrait(column)->GetColumnState().alwaysHidden;
}

bool HeaderColumnModel::IsAlwaysVisible(int column) const
{
    return m_grid.GetColumnTrait(column)->GetColumnState().alwaysVisible;
}

bool HeaderColumnModel::IsResizable(int column) const
{
    return m_grid.GetColumnTrait(column)->GetColumnState().resizable;
}

std::vector<int> HeaderColumnModel::GetDisplayOrder() const
{
    return m_grid.GetColumnOrder();
}

void HeaderColumnModel::SetDisplayOrder(const std::vector<int>& order)
{
    for (size_t visual = 0; visual < order.size(); ++visual) {
        m_grid.MoveSection(order[visual], static_cast<int>(visual));
    }
}

void HeaderColumnModel::ShowColumn(int column)
{
    m_grid.GetColumnTrait(column)->GetColumnState().visible = true;
    const bool arranging = std::exchange(m_grid.m_arrangingSections, true);
    m_grid.m_header->showSection(column);
    m_grid.m_arrangingSections = arranging;
}

void HeaderColumnModel::SetWidth(int column, int width)
{
    m_grid.TakeLayoutWidth(column);
    const bool arranging = std::exchange(m_grid.m_arrangingSections, true);
    m_grid.m_header->resizeSection(column, width);
    m_grid.m_arrangingSections = arranging;
    m_grid.FitWholeText();
}

void HeaderColumnModel::HideColumn(int column)
{
    const bool arranging = std::exchange(m_grid.m_arrangingSections, true);
    m_grid.HideSection(column);
    m_grid.m_arrangingSections = arranging;
    if (m_grid.m_selection.FocusColumn() == column) {
        m_grid.m_selection.SetFocusColumn(-1);
    }
}

void HeaderColumnModel::SetRedraw(bool on)
{
    m_grid.setUpdatesEnabled(on);
    if (on) {
        m_grid.viewport()->update();
        m_grid.m_header->viewport()->update();
    }
}

} // namespace wirevane
