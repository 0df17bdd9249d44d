#include "commands/dialog_controls.h"

#include "commands/row_dialog_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <string>

namespace wirevane {

namespace {

// A dialog unit of an 8-point dialog font is about 1.5 pixels on a 96-dpi screen; the default
// Qt fonts run a little larger, so the dialogs get some room to spare.
constexpr double kPixelsPerUnit = 1.75;

} // namespace

void SetControlId(QWidget* control, int id)
{
    control->setObjectName(QStringLiteral("c") + QString::number(id));
}

QSize DialogUnits(int width, int height)
{
    return {static_cast<int>(width * kPixelsPerUnit), static_cast<int>(height * kPixelsPerUnit)};
}

QComboBox* NewWaitKindList(QWidget* parent, int id)
{
    // The one wait kind named in words; the others are the names of bytes.
    constexpr const char* kNoWait = QT_TRANSLATE_NOOP("DialogControls", "なし");
    auto* list = new QComboBox(parent);
    SetControlId(list, id);
    for (WaitKind kind : kWaitKinds) {
        const QString name = QString::fromStdU16String(std::u16string(WaitKindName(kind)));
        list->addItem(name == QString::fromUtf8(kNoWait)
                          ? QCoreApplication::translate("DialogControls", kNoWait)
                          : name);
    }
    return list;
}

WaitKind WaitKindOfItem(int index)
{
    return static_cast<WaitKind>(index);
}

QCheckBox* NewCheckBox(QWidget* parent, int id, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    SetControlId(box, id);
    return box;
}

QLineEdit* NewLineEdit(QWidget* parent, int id)
{
    auto* edit = new QLineEdit(parent);
    SetControlId(edit, id);
    return edit;
}

QPushButton* NewButton(QWidget* parent, int id, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    SetControlId(button, id);
    button->setAutoDefault(false);
    button->setDefault(id == row_dialog_ids::kOk);
    return button;
}

QHBoxLayout* NewOkCancelRow(QDialog* dialog)
{
    auto* ok = NewButton(dialog, row_dialog_ids::kOk, QStringLiteral("OK"));
    auto* cancel = NewButton(dialog, row_dialog_ids::kCancel,
                             QCoreApplication::translate("DialogControls", "キャンセル"));
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace wirevane
