#include "app/run_key_guard.h"

#include "commands/run_keys.h"
#include "grid/grid_list_ctrl_ex.h"

#include <QKeyEvent>
#include <QObject>

namespace wirevane {

namespace {

class RunKeyGuard final : public QObject {
public:
    explicit RunKeyGuard(CGridListCtrlEx& grid) : QObject(&grid), m_grid(grid) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride || m_grid.GetEditor() == nullptr)
            return QObject::eventFilter(watched, event);
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        if (key != SendKey() && key != StopKey() && key != ResetKey())
            return QObject::eventFilter(watched, event);
        // An accepted override hands the key to the focused editor instead of the shortcut.
        event->accept();
        return true;
    }

private:
    CGridListCtrlEx& m_grid;
};

} // namespace

void InstallRunKeyGuard(CGridListCtrlEx& grid)
{
    grid.installEventFilter(new RunKeyGuard(grid));
}

} // namespace wirevane
