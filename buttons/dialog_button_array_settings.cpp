#include "buttons/dialog_button_array_settings.h"

#include "buttons/button_array_ids.h"
#include "buttons/button_captions.h"
#include "buttons/dialog_buttons_row.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace wirevane {

CDialogButtonArraySettings::CDialogButtonArraySettings(int32_t slotMode, int group,
                                                       const QString& title, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("設定"));
    auto* layout = new QVBoxLayout(this);
    const auto box = [this, layout](int id, const QString& text) {
        auto* check = new QCheckBox(text, this);
        check->setObjectName(QString::number(id));
        layout->addWidget(check);
        connect(check, &QCheckBox::clicked, this, [this, check](bool on) {
            if (on)
                KeepOnlyChecked(check);
        });
        return check;
    };
    m_register = box(button_array::kRegisterBox, tr("ボタン 設定ファイルを登録する"));
    m_unregister = box(button_array::kUnregisterBox, tr("ボタン 設定ファイルを解除する"));
    m_rename = box(button_array::kRenameBox, tr("ボタン名変更"));
    m_register->setChecked(slotMode == kSlotModeRegister);
    m_unregister->setChecked(slotMode == kSlotModeUnregister);
    m_rename->setChecked(slotMode == kSlotModeRename);

    auto* label = new QLabel(tr("グループ %1 タイトル").arg(group + 1), this);
    label->setObjectName(QString::number(button_array::kGroupTitleLabel));
    layout->addWidget(label);
    m_title = new QLineEdit(title, this);
    m_title->setObjectName(QString::number(button_array::kGroupTitleEdit));
    layout->addWidget(m_title);
    layout->addStretch(1);
    layout->addLayout(MakeOkCancelRow(this));
    // An explicit minimum overrides the layout's; raised to what the controls need, so that a
    // shrunken dialog never cuts their texts.
    setMinimumSize(minimumSizeHint().expandedTo(QSize(100, 100)));
}

void CDialogButtonArraySettings::KeepOnlyChecked(QCheckBox* checked)
{
    for (QCheckBox* other : {m_register, m_unregister, m_rename})
        if (other != checked)
            other->setChecked(false);
}

int32_t CDialogButtonArraySettings::slotMode() const
{
    if (m_register->isChecked())
        return kSlotModeRegister;
    if (m_unregister->isChecked())
        return kSlotModeUnregister;
    if (m_rename->isChecked())
        return kSlotModeRename;
    return kSlotModeHidden;
}

QString CDialogButtonArraySettings::title() const
{
    return m_title->text();
}

} // namespace wirevane
