#pragma once

#include "grid/grid_column_trait_image.h"

namespace wirevane {

// A column whose cells are edited in place with a single-line text editor.
class CGridColumnTraitEdit : public CGridColumnTraitImage {
public:
    void SetBorder(bool on) { m_border = on; }
    // -1: no limit.
    void SetMaxLength(int length) { m_maxLength = length; }
    int GetMaxLength() const { return m_maxLength; }

    QWidget* OpenCellEditor(CGridListCtrlEx& owner, int row, int column) override;

protected:
    virtual QWidget* CreateEditor(CGridListCtrlEx& owner, int row, int column);

private:
    bool m_border = true;
    int m_maxLength = -1;
};

} // namespace wirevane
