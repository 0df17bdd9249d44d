#pragma once

#include "grid/grid_list_ctrl_ex.h"

namespace wirevane {

// The grid with rows grouped by the text of one column, chosen from the header menu. While
// grouping is on, the list's context menu expands, collapses or ends it, and on a group header
// ticks or clears the list's own check state of the group's rows.
class CGridListCtrlGroups : public CGridListCtrlEx {
    Q_OBJECT
public:
    using CGridListCtrlEx::CGridListCtrlEx;

    // One group per distinct text of the column, in the order the texts first appear. Nothing
    // happens in an empty list.
    void GroupByColumn(int column);
    void RemoveAllGroups();
    bool IsGroupViewEnabled() const;
    void ExpandAllGroups();
    void CollapseAllGroups();
    void CheckEntireGroup(int group, bool checked);

    std::unique_ptr<QMenu> CreateListMenu(QPoint point) override;

protected:
    void AddHeaderGroupItems(QMenu& menu, int column) override;

private:
    // Regroups the rows, keeping which rows are selected and which one has the focus.
    void Regroup(const std::function<void()>& change);
};

} // namespace wirevane
