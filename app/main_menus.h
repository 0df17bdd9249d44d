#pragma once

#include "app/command_registry.h"

class QMenuBar;
class QToolBar;
class QWidget;

namespace wirevane {

// The main window's menu bar: its four pop-ups with their items, separators and check marks.
void BuildMainMenus(QMenuBar& bar, CommandRegistry& commands);

// The two list-style toolbars (text beside the image): port and window commands first, table
// and run commands second.
QToolBar* BuildFirstToolBar(QWidget* parent, CommandRegistry& commands);
QToolBar* BuildSecondToolBar(QWidget* parent, CommandRegistry& commands);

} // namespace wirevane
