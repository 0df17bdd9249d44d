#pragma once

#include <QKeySequence>

namespace wirevane {

// The keys of the run commands Send, Stop and Reset, which stand on no menu. The main window
// binds them; the symbol legend lists them.
inline QKeySequence SendKey()
{
    return QKeySequence(Qt::Key_F5);
}

inline QKeySequence StopKey()
{
    return QKeySequence(Qt::SHIFT | Qt::Key_F5);
}

inline QKeySequence ResetKey()
{
    return QKeySequence(Qt::CTRL | Qt::Key_F5);
}

} // namespace wirevane
