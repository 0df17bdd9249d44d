#include "buttons/dialog_buttons_row.h"

#include "buttons/button_array_ids.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace wirevane {

QBoxLayout* MakeOkCancelRow(QDialog* dialog)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QString::number(button_array::kOkButton));
    ok->setDefault(true);
    auto* cancel =
        new QPushButton(QCoreApplication::translate("DialogButtonsRow", "キャンセル"), dialog);
    cancel->setObjectName(QString::number(button_array::kCancelButton));
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace wirevane
