#include "buttons/dialog_button_regist_type.h"

#include "buttons/button_array_ids.h"
#include "buttons/dialog_buttons_row.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace wirevane {

CDialogButtonRegistType::CDialogButtonRegistType(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("登録方法"));
    auto* layout = new QVBoxLayout(this);
    m_existing = new QRadioButton(tr("既存の設定ファイルを登録"), this);
    m_existing->setObjectName(QString::number(button_array::kExistingFileButton));
    m_saveCurrent = new QRadioButton(tr("現在のデータテーブルを保存し登録"), this);
    m_saveCurrent->setObjectName(QString::number(button_array::kSaveCurrentTableButton));
    m_saveCurrent->setChecked(true);
    layout->addWidget(m_existing);
    layout->addWidget(m_saveCurrent);
    layout->addLayout(MakeOkCancelRow(this));
}

int CDialogButtonRegistType::choice() const
{
    return m_existing->isChecked() ? kExistingFile : kSaveCurrentTable;
}

} // namespace wirevane
