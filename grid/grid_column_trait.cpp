#include "grid/grid_column_trait.h"

#include "grid/grid_list_ctrl_ex.h"

namespace wirevane {

CGridColumnTrait::~CGridColumnTrait() = default;

int CGridColumnTrait::ClickStartsEdit(const CGridListCtrlEx& owner, int row, int column, QPoint,
                                      bool doubleClick) const
{
    if (doubleClick) {
        return kNoEdit;
    }
    return row == owner.Selection().FocusRow() && column == owner.Selection().FocusColumn()
               ? kEditAfterClick
               : kNoEdit;
}

QWidget* CGridColumnTrait::BeginCellEditor(CGridListCtrlEx& owner, int row, int column, QPoint)
{
    return OpenCellEditor(owner, row, column);
}

QWidget* CGridColumnTrait::OpenCellEditor(CGridListCtrlEx&, int, int)
{
    return nullptr;
}

bool CGridColumnTrait::IsCellLocked(const CGridListCtrlEx&, int, int, QPoint) const
{
    return !m_state.editable;
}

std::optional<QFont> CGridColumnTrait::CellFont(int) const
{
    return std::nullopt;
}

std::optional<QColor> CGridColumnTrait::CellTextColor(int) const
{
    return std::nullopt;
}

std::optional<QColor> CGridColumnTrait::CellBackColor(int) const
{
    return std::nullopt;
}

QRect CGridColumnTrait::CellEditRect(const CGridListCtrlEx& owner, int row, int column) const
{
    return owner.Geometry().LabelRect(row, column);
}

} // namespace wirevane
