#pragma once

#include <string>
#include <vector>

namespace wirevane {

// The clipboard text of a selection: a header line with the given titles, then one line per row,
// fields separated by a tab, lines by CR LF with none after the last.
std::u16string CopyTextOfRows(const std::vector<std::u16string>& titles,
                              const std::vector<std::vector<std::u16string>>& rows);

} // namespace wirevane
