#pragma once

#include "core/wait_kind.h"

#include <QSize>
#include <QString>

class QCheckBox;
class QComboBox;
class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace wirevane {

// Building blocks shared by the row dialogs: controls carry their numeric control id as the
// object name "c<id>", so the commands and their tests find them the same way.

// Names a control after its control id.
void SetControlId(QWidget* control, int id);

// A pixel size for a size given in dialog units of the dialogs' 8-point font.
QSize DialogUnits(int width, int height);

// The drop-down list of the wait kinds, in the order of their numbers.
QComboBox* NewWaitKindList(QWidget* parent, int id);
// The kind of an item of that list.
WaitKind WaitKindOfItem(int index);

// A check box with its caption.
QCheckBox* NewCheckBox(QWidget* parent, int id, const QString& caption);

// A one-line edit that scrolls horizontally.
QLineEdit* NewLineEdit(QWidget* parent, int id);

// A push button with its control id; OK (1) is the dialog's default button.
QPushButton* NewButton(QWidget* parent, int id, const QString& caption);

// The "OK" (1) and "キャンセル" (2) buttons at the right end of a row, wired to accept and reject.
QHBoxLayout* NewOkCancelRow(QDialog* dialog);

} // namespace wirevane
