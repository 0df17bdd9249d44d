#include "buttons/dialog_button_text.h"

#include "buttons/button_array_ids.h"
#include "buttons/dialog_buttons_row.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace wirevane {

CDialogButtonText::CDialogButtonText(const QString& text, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("ボタン名"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("ボタン名"), this));
    m_edit = new QLineEdit(text, this);
    m_edit->setObjectName(QString::number(button_array::kButtonNameEdit));
    layout->addWidget(m_edit);
    layout->addLayout(MakeOkCancelRow(this));
}

QString CDialogButtonText::text() const
{
    return m_edit->text();
}

} // namespace wirevane
