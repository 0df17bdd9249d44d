#include "grid/grid_editor_text.h"

#include "grid/decimal_validator.h"
#include "grid/editor_keys.h"
#include "grid/grid_list_ctrl_ex.h"

#include <QKeyEvent>

namespace wirevane {

CGridEditorText::CGridEditorText(CGridListCtrlEx& owner, int row, int column)
    : QLineEdit(owner.viewport()), m_owner(owner), m_row(row), m_column(column)
{
    hide();
}

void CGridEditorText::Start(const QString& text)
{
    setText(text);
    selectAll();
    // Only the user's changes count: the text set above is not one.
    connect(this, &QLineEdit::textChanged, this, [this] { m_modified = true; });
}

void CGridEditorText::EndEdit(bool commit)
{
    if (m_completed) {
        return;
    }
    m_completed = true;
    GridCellChange change;
    change.row = m_row;
    change.column = m_column;
    const bool refused = commit && m_modified && !hasAcceptableInput();
    if (commit && m_modified && !refused) {
        change.text = text().toStdU16String();
    }
    const QRect area = geometry();
    m_owner.FinishCellEdit(*this, change);
    // Said after the grid has taken the focus back, which would close the note at once.
    const auto* rule = qobject_cast<const ExplainedValidator*>(validator());
    if (refused && rule != nullptr) {
        ShowRefusal(*m_owner.viewport(), area, rule->RefusalText());
    }
}

bool CGridEditorText::event(QEvent* event)
{
    if (EndEditOnTab(*event, *this, m_owner)) {
        return true;
    }
    return QLineEdit::event(event);
}

void CGridEditorText::keyPressEvent(QKeyEvent* event)
{
    if (EndEditOnEnterOrEscape(*event, *this)) {
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CGridEditorText::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The editor's own context menu takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason) {
        EndEdit(true);
    }
}

void CGridEditorText::wheelEvent(QWheelEvent*)
{
    EndEdit(true);
}

} // namespace wirevane
