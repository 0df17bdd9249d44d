#pragma once

#include <QIcon>

namespace wirevane {

// The program's own icons, all drawn by code: the main window's icon, the exit dialog's icon and
// the images of the two toolbars, looked up by the command they stand for.
QIcon MainIcon();
QIcon ExitIcon();
// A null icon for a command without a toolbar image.
QIcon ToolbarIcon(int commandId);

} // namespace wirevane
