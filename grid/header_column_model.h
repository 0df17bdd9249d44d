#pragma once

#include "grid/layout/column_model.h"

namespace wirevane {

class CGridListCtrlEx;

// The grid's columns as the column layout sees them: visibility, widths and order come from the
// grid's header, the flags from the column traits. Changes made through it are the program's
// own and never count as user actions (no focus-column reset, no save).
class HeaderColumnModel final : public ColumnModel {
public:
    explicit HeaderColumnModel(CGridListCtrlEx& grid) : m_grid(grid) {}

    int columnCount() const override;
    int subItemId(int column) const override;
    bool isVisible(int column) const override;
    int width(int column) const override;
    bool alwaysHidden(int column) const override;
    bool alwaysVisible(int column) const override;
    bool resizable(int column) const override;
    std::vector<int> displayOrder() const override;
    void setDisplayOrder(const std::vector<int>& order) override;
    void showColumn(int column) override;
    void setWidth(int column, int width) override;
    void hideColumn(int column) override;
    void setRedraw(bool on) override;

private:
    CGridListCtrlEx& m_grid;
};

} // namespace wirevane
