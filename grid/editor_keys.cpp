#include "grid/editor_keys.h"

#include "grid/grid_cell_editor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace wirevane {

bool IsTabKey(const QEvent& event)
{
    if (event.type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent&>(event).key();
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

bool EndEditOnTab(const QEvent& event, CGridCellEditor& editor, QWidget& list)
{
    if (!IsTabKey(event)) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(event);
    QKeyEvent forwarded(QEvent::KeyPress, key.key(), key.modifiers(), key.text());
    editor.EndEdit(true);
    QApplication::sendEvent(&list, &forwarded);
    return true;
}

bool EndEditOnEnterOrEscape(const QKeyEvent& event, CGridCellEditor& editor)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        editor.EndEdit(true);
        return true;
    case Qt::Key_Escape:
        editor.EndEdit(false);
        return true;
    default:
        return false;
    }
}

} // namespace wirevane
