#include "app/command_registry.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

namespace wirevane {

void CommandRegistry::add(int id, QAction* action)
{
    action->setObjectName(QString::number(id));
    QObject::connect(action, &QAction::triggered, action, [this, id] { m_run(id); });
    m_actions[id].append(action);
}

void CommandRegistry::add(int id, QWidget* button)
{
    button->setObjectName(QString::number(id));
    if (auto* push = qobject_cast<QAbstractButton*>(button))
        QObject::connect(push, &QAbstractButton::clicked, push, [this, id] { m_run(id); });
    m_buttons[id].append(button);
}

void CommandRegistry::setEnabled(int id, bool enabled)
{
    for (const QPointer<QAction>& action : m_actions[id])
        if (action)
            action->setEnabled(enabled);
    for (const QPointer<QWidget>& button : m_buttons[id])
        if (button)
            button->setEnabled(enabled);
}

void CommandRegistry::setChecked(int id, bool checked)
{
    for (const QPointer<QAction>& action : m_actions[id])
        if (action && action->isCheckable())
            action->setChecked(checked);
}

bool CommandRegistry::isEnabled(int id) const
{
    QAction* first = action(id);
    return first != nullptr && first->isEnabled();
}

bool CommandRegistry::isChecked(int id) const
{
    QAction* first = action(id);
    return first != nullptr && first->isChecked();
}

QAction* CommandRegistry::action(int id) const
{
    const auto found = m_actions.find(id);
    if (found == m_actions.end() || found->second.isEmpty())
        return nullptr;
    return found->second.front();
}

QList<QAction*> CommandRegistry::actions(int id) const
{
    QList<QAction*> result;
    const auto found = m_actions.find(id);
    if (found != m_actions.end())
        for (const QPointer<QAction>& action : found->second)
            if (action)
                result.append(action);
    return result;
}

} // namespace wirevane
