#pragma once

#include "grid/grid_list_ctrl_groups.h"

namespace wirevane {

// Builds the send table's columns on an empty grid: the check and marker images, the cell
// spacing, the row trait, the hidden label column and the six visible columns with their titles,
// widths, sub-item ids and traits. Rows are added by the table itself.
void SetUpSendTableColumns(CGridListCtrlGroups& grid);

} // namespace wirevane
