#pragma once

namespace wirevane {

// What the grid needs of any in-place editor: a way to end it, committing or not. Ending happens
// once; later calls do nothing.
class CGridCellEditor {
public:
    virtual ~CGridCellEditor() = default;
    virtual void EndEdit(bool commit) = 0;
};

} // namespace wirevane
