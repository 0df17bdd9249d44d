#pragma once

#include "grid/grid_list_ctrl_groups.h"

#include <QString>
#include <string_view>

namespace wirevane {

// Builds the send table's columns on an empty grid: the check and marker images, the cell
// spacing, the row trait, the hidden label column and the six visible columns with their titles,
// widths, sub-item ids and traits. Rows are added by the table itself.
void SetUpSendTableColumns(CGridListCtrlGroups& grid);

// The run's status words as the select cells write them ("送信済 受信待", " ｽﾃｯﾌﾟ停止"), each
// word in the interface's language and the blanks kept; a text with any other word is shown as
// it stands.
QString ShownStatusWords(std::u16string_view stored);

} // namespace wirevane
