#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class QAction;
class QWidget;

namespace wirevane {

// Every place a command stands — menu item, toolbar button, hidden push button — registered
// under the command's id, so an enabling or check rule reaches all of them at once, and so each
// of them runs the same command.
class CommandRegistry {
public:
    using Runner = std::function<void(int id)>;

    explicit CommandRegistry(Runner run) : m_run(std::move(run)) {}

    // Names the action by the id and makes it run the command.
    void add(int id, QAction* action);
    void add(int id, QWidget* button);

    void setEnabled(int id, bool enabled);
    void setChecked(int id, bool checked);
    bool isEnabled(int id) const;
    bool isChecked(int id) const;
    // The menu's action of the command (the first one registered).
    QAction* action(int id) const;
    QList<QAction*> actions(int id) const;

private:
    Runner m_run;
    std::map<int, QList<QPointer<QAction>>> m_actions;
    std::map<int, QList<QPointer<QWidget>>> m_buttons;
};

} // namespace wirevane
