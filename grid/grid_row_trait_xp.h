#pragma once

#include "grid/grid_row_trait_text.h"

namespace wirevane {

// A text row trait that repaints the area behind each cell image in the row's state colour (hot,
// selected with or without the focus, or the cell's own background), so images of selected rows
// sit on the selection colour rather than on a box of the plain background.
class CGridRowTraitXP final : public CGridRowTraitText {
public:
    void OnCellPainted(QPainter& painter, const GridCellPaint& cell) override;
};

} // namespace wirevane
