#pragma once

#include "grid/grid_cell_editor.h"

#include <QLineEdit>

namespace wirevane {

class CGridListCtrlEx;

// The in-place text editor of one cell. It starts with the cell's text all selected; Enter, Tab,
// the mouse wheel and losing the focus commit, Escape cancels. It ends once: a commit of a
// changed text that its validator accepts sends that text to the grid, anything else sends an
// empty change; a refusal is explained when the validator can say why.
class CGridEditorText final : public QLineEdit, public CGridCellEditor {
    Q_OBJECT
public:
    CGridEditorText(CGridListCtrlEx& owner, int row, int column);

    void Start(const QString& text);
    void EndEdit(bool commit) override;
    bool IsModified() const { return m_modified; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    CGridListCtrlEx& m_owner;
    int m_row;
    int m_column;
    bool m_completed = false;
    bool m_modified = false;
};

} // namespace wirevane
