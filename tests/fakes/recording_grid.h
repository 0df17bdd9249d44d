#pragma once

#include "grid/grid_list_ctrl_groups.h"

#include <vector>

namespace wirevane::test {

// The send table's grid, recording every end-of-edit change it applies and optionally refusing
// every edit at its begin, as a parent window could.
class RecordingGrid final : public CGridListCtrlGroups {
public:
    std::vector<GridCellChange> changes;
    int beginCount = 0;
    bool refuseBegin = false;

protected:
    bool OnBeginLabelEdit(int, int) override
    {
        ++beginCount;
        return refuseBegin;
    }
    void OnEndLabelEdit(const GridCellChange& change) override
    {
        changes.push_back(change);
        CGridListCtrlGroups::OnEndLabelEdit(change);
    }
};

} // namespace wirevane::test
