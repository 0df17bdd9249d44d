#include "grid/header_column_model.h"

#include "grid/grid_header.h"
#include "grid/grid_list_ctrl_ex.h"

#include <utility>

namespace wirevane {

int HeaderColumnModel::columnCount() const
{
    return m_grid.GetColumnCount();
}

int HeaderColumnModel::subItemId(int column) const
{
    return m_grid.GetSubItemId(column);
}

bool HeaderColumnModel::isVisible(int column) const
{
    return m_grid.IsColumnVisible(column);
}

int HeaderColumnModel::width(int column) const
{
    return isVisible(column) ? m_grid.m_header->sectionSize(column) : 0;
}

bool HeaderColumnModel::alwaysHidden(int column) const
{
    return m_grid.GetColumnTrait(column)->GetColumnState().alwaysHidden;
}

bool HeaderColumnModel::alwaysVisible(int column) const
{
    return m_grid.GetColumnTrait(column)->GetColumnState().alwaysVisible;
}

bool HeaderColumnModel::resizable(int column) const
{
    return m_grid.GetColumnTrait(column)->GetColumnState().resizable;
}

std::vector<int> HeaderColumnModel::displayOrder() const
{
    return m_grid.GetColumnOrder();
}

void HeaderColumnModel::setDisplayOrder(const std::vector<int>& order)
{
    for (size_t visual = 0; visual < order.size(); ++visual) {
        m_grid.MoveSection(order[visual], static_cast<int>(visual));
    }
}

void HeaderColumnModel::showColumn(int column)
{
    m_grid.GetColumnTrait(column)->GetColumnState().visible = true;
    const bool arranging = std::exchange(m_grid.m_arrangingSections, true);
    m_grid.m_header->showSection(column);
    m_grid.m_arrangingSections = arranging;
}

void HeaderColumnModel::setWidth(int column, int width)
{
    const bool arranging = std::exchange(m_grid.m_arrangingSections, true);
    m_grid.m_header->resizeSection(column, width);
    m_grid.m_arrangingSections = arranging;
}

void HeaderColumnModel::hideColumn(int column)
{
    const bool arranging = std::exchange(m_grid.m_arrangingSections, true);
    m_grid.HideSection(column);
    m_grid.m_arrangingSections = arranging;
    if (m_grid.m_selection.FocusColumn() == column) {
        m_grid.m_selection.SetFocusColumn(-1);
    }
}

void HeaderColumnModel::setRedraw(bool on)
{
    m_grid.setUpdatesEnabled(on);
    if (on) {
        m_grid.viewport()->update();
        m_grid.m_header->viewport()->update();
    }
}

} // namespace wirevane
