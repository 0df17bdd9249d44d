#include "grid/grid_column_trait_combo.h"

#include "grid/grid_editor_combo_box.h"
#include "grid/grid_list_ctrl_ex.h"

namespace wirevane {

void CGridColumnTraitCombo::AddItem(int data, std::u16string text)
{
    m_items.emplace_back(data, std::move(text));
}

QWidget* CGridColumnTraitCombo::OpenCellEditor(CGridListCtrlEx& owner, int row, int column)
{
    return CreateEditor(owner, row, column);
}

QWidget* CGridColumnTraitCombo::CreateEditor(CGridListCtrlEx& owner, int row, int column)
{
    auto* editor = new CGridEditorComboBox(owner, row, column, m_style == Style::DropDown);
    for (const auto& [data, text] : m_items) {
        editor->AddItem(owner.GetCellModel().ShownTextOf(column, text), text, data);
    }
    editor->setFont(owner.EditorFont());
    editor->SetMaxDroppedWidth(m_maxDroppedWidth);
    editor->setMaxVisibleItems(m_maxVisibleItems);
    editor->SetOpenOnFocus(m_openOnFocus);
    editor->SetRightAligned((owner.ColumnAlignment(column) & Qt::AlignRight) != 0);
    editor->setGeometry(owner.Geometry().CellRect(row, column));
    editor->Start(QString::fromStdU16String(owner.GetCellText(row, column)));
    return editor;
}

} // namespace wirevane
