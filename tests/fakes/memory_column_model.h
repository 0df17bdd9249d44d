#pragma once

#include "grid/layout/column_model.h"

#include <functional>
#include <string>
#include <vector>

namespace wirevane::test {

// Columns held in plain fields, as a list header would hold them.
class MemoryColumnModel final : public ColumnModel {
public:
    struct Column {
        int subItemId = 0;
        bool visible = true;
        int width = 50;
        bool alwaysHidden = false;
        bool alwaysVisible = false;
        bool resizable = true;
        int widthToRestore = 0;
        int position = 0;
    };

    explicit MemoryColumnModel(std::vector<Column> initial) : columns(std::move(initial))
    {
        for (int i = 0; i < GetColumnCount(); ++i)
            order.push_back(i);
    }

    int GetColumnCount() const override { return static_cast<int>(columns.size()); }
    int GetSubItemId(int column) const override { return at(column).subItemId; }
    bool IsVisible(int column) const override { return at(column).visible; }
    int GetWidth(int column) const override { return at(column).width; }
    bool IsAlwaysHidden(int column) const override { return at(column).alwaysHidden; }
    bool IsAlwaysVisible(int column) const override { return at(column).alwaysVisible; }
    bool IsResizable(int column) const override { return at(column).resizable; }
    std::vector<int> GetDisplayOrder() const override { return order; }
    void SetDisplayOrder(const std::vector<int>& newOrder) override { order = newOrder; }
    void ShowColumn(int column) override
    {
        at(column).visible = true;
        changed();
    }
    void SetWidth(int column, int newWidth) override
    {
        at(column).width = newWidth;
        changed();
    }
    void HideColumn(int column) override
    {
        Column& c = at(column);
        c.visible = false;
        c.widthToRestore = c.width;
        c.position = -1;
        c.width = 0;
        changed();
    }
    void SetRedraw(bool on) override { redrawOn = on; }

    // The visible columns in display order, each as "sub-item id:width ".
    std::string shown() const
    {
        std::string text;
        for (int column : order)
            if (at(column).visible)
                text += std::to_string(at(column).subItemId) + ":" +
                        std::to_string(at(column).width) + " ";
        return text;
    }

    // Called after every change, as the grid would react to one.
    std::function<void()> onChange;
    void changed()
    {
        if (onChange)
            onChange();
    }

    Column& at(int column) { return columns[static_cast<size_t>(column)]; }
    const Column& at(int column) const { return columns[static_cast<size_t>(column)]; }

    std::vector<Column> columns;
    std::vector<int> order;
    bool redrawOn = true;
};

} // namespace wirevane::test
