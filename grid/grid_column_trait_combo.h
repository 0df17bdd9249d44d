#pragma once

#include "grid/grid_column_trait_image.h"

#include <string>
#include <utility>
#include <vector>

namespace wirevane {

// A column whose cells are chosen from a list in a drop-down editor. In drop-down-list style
// only the items can be chosen; in drop-down style the text may also be typed.
class CGridColumnTraitCombo : public CGridColumnTraitImage {
public:
    enum class Style { DropDown, DropDownList };

    void AddItem(int data, std::u16string text);
    const std::vector<std::pair<int, std::u16string>>& Items() const { return m_items; }
    void SetStyle(Style style) { m_style = style; }
    Style GetStyle() const { return m_style; }
    void SetMaxVisibleItems(int count) { m_maxVisibleItems = count; }
    void SetMaxDroppedWidth(int pixels) { m_maxDroppedWidth = pixels; }
    void SetOpenOnFocus(bool on) { m_openOnFocus = on; }

    QWidget* OpenCellEditor(CGridListCtrlEx& owner, int row, int column) override;

protected:
    virtual QWidget* CreateEditor(CGridListCtrlEx& owner, int row, int column);

private:
    std::vector<std::pair<int, std::u16string>> m_items;
    Style m_style = Style::DropDown;
    int m_maxVisibleItems = 7;
    int m_maxDroppedWidth = 200;
    bool m_openOnFocus = false;
};

} // namespace wirevane
