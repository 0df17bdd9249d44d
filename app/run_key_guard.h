#pragma once

class QWidget;

namespace wirevane {

class CGridListCtrlEx;

// While a cell of the table is being edited, the run commands' keys belong to the editor and
// do not send, stop or reset. The guard sits on the table, where the shortcut check of every
// key typed into the table or its editor passes.
void InstallRunKeyGuard(CGridListCtrlEx& grid);

} // namespace wirevane
