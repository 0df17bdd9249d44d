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

    int GetColumnCount() const override;
    int GetSubItemId(int column) const override;
    bool IsVisible(int column) const override;
    int GetWidth(int column) const override;
    bool IsAlwaysHidden(int column) const override;
    bool IsAlwaysVisible(int column) const override;
    bool IsResizable(int column) const override;
    std::vector<int> GetDisplayOrder() const override;
    void SetDisplayOrder(const std::vector<int>& order) override;
    void ShowColumn(int column) override;
    void SetWidth(int column, int width) override;
    void HideColumn(int column) override;
    void SetRedraw(bool on) override;

private:
    CGridListCtrlEx& m_grid;
};

} // namespace wirevane
