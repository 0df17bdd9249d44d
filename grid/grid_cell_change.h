#pragma once

#include <optional>
#include <string>

namespace wirevane {

// What an end-of-edit notification carries for one cell: the new text, the new image, both or
// neither (a cancelled edit, or one that changed nothing).
struct GridCellChange {
    int row = -1;
    int column = -1;
    std::optional<std::u16string> text;
    std::optional<int> image;
};

} // namespace wirevane
