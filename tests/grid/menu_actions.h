#pragma once

#include <QMenu>

namespace wirevane::test {

// The action of a menu (or menu bar) or of one of its submenus with the text, or null.
inline QAction* FindAction(QWidget& menu, const QString& text)
{
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindAction(*sub, text))
                return found;
        }
    }
    return nullptr;
}

// The texts (or other names) of a menu's own actions, separators left out.
inline QStringList Texts(QMenu& menu, QString (QAction::*name)() const = &QAction::text)
{
    QStringList texts;
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator())
            texts << (action->*name)();
    }
    return texts;
}

} // namespace wirevane::test
