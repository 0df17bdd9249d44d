#pragma once

class QEvent;
class QKeyEvent;
class QWidget;

namespace wirevane {

class CGridCellEditor;

// A press of Tab or Backtab (Shift+Tab), which an in-place editor must see before Qt's focus
// chain takes it.
bool IsTabKey(const QEvent& event);

// On a Tab key: ends the editor with a commit, then lets the list handle the key as if it had
// had it, so the list moves on to the next cell. Answers whether it was a Tab key.
bool EndEditOnTab(const QEvent& event, CGridCellEditor& editor, QWidget& list);

// Enter or Return commits the editor, Escape cancels it. Answers whether it was one of them.
bool EndEditOnEnterOrEscape(const QKeyEvent& event, CGridCellEditor& editor);

} // namespace wirevane
