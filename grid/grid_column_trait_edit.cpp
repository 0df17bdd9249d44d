#include "grid/grid_column_trait_edit.h"

#include "grid/grid_editor_text.h"
#include "grid/grid_list_ctrl_ex.h"

namespace wirevane {

QWidget* CGridColumnTraitEdit::OpenCellEditor(CGridListCtrlEx& owner, int row, int column)
{
    return CreateEditor(owner, row, column);
}

QWidget* CGridColumnTraitEdit::CreateEditor(CGridListCtrlEx& owner, int row, int column)
{
    auto* editor = new CGridEditorText(owner, row, column);
    editor->setFrame(m_border);
    if (m_maxLength >= 0) {
        editor->setMaxLength(m_maxLength);
    }
    if (m_makeValidator) {
        editor->setValidator(m_makeValidator(editor));
    }
    const Qt::Alignment alignment = owner.ColumnAlignment(column);
    editor->setAlignment(alignment | Qt::AlignVCenter);
    // The text sits where the cell drew it.
    if (alignment & Qt::AlignRight) {
        editor->setTextMargins(0, 0, 7, 0);
    } else if (!(alignment & Qt::AlignHCenter)) {
        editor->setTextMargins(4, 0, 0, 0);
    }
    editor->setFont(owner.EditorFont());
    editor->setGeometry(CellEditRect(owner, row, column));
    editor->Start(QString::fromStdU16String(owner.GetCellText(row, column)));
    return editor;
}

} // namespace wirevane
