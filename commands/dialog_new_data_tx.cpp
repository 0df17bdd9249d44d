#include "commands/dialog_new_data_tx.h"

#include "commands/dialog_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

namespace wirevane {

CDialogNewDataTX::CDialogNewDataTX(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("新規"));
    auto* group = new QGroupBox(tr("初期データ"), this);
    m_dataEdit = NewLineEdit(group, 1030);
    m_waitList = NewWaitKindList(group, 1048);
    m_haltBox = NewCheckBox(group, 1029, tr("停止"));
    m_delayEdit = NewLineEdit(group, 1031);
    m_delayEdit->setMaximumWidth(DialogUnits(40, 0).width());

    auto* dataLabel = new QLabel(tr("送信データ"), group);
    dataLabel->setBuddy(m_dataEdit);
    auto* waitLabel = new QLabel(tr("受信待"), group);
    waitLabel->setBuddy(m_waitList);
    auto* delayLabel = new QLabel(tr("遅延 [ms]"), group);
    delayLabel->setBuddy(m_delayEdit);

    auto* optionRow = new QHBoxLayout;
    optionRow->addWidget(waitLabel);
    optionRow->addWidget(m_waitList);
    optionRow->addSpacing(DialogUnits(12, 0).width());
    optionRow->addWidget(m_haltBox);
    optionRow->addSpacing(DialogUnits(12, 0).width());
    optionRow->addWidget(delayLabel);
    optionRow->addWidget(m_delayEdit);
    optionRow->addStretch();

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(dataLabel);
    groupLayout->addWidget(m_dataEdit);
    groupLayout->addLayout(optionRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(NewOkCancelRow(this));
    resize(DialogUnits(274, 98));

    connect(m_waitList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_waitRx = index; });
    ShowInitialValues();
}

NewTableValues CDialogNewDataTX::values() const
{
    return {m_data, m_waitRx, m_halt, m_delay};
}

void CDialogNewDataTX::accept()
{
    m_data = m_dataEdit->text().toStdU16String();
    m_waitRx = m_waitList->currentIndex();
    m_halt = m_haltBox->isChecked() ? 1 : 0;
    m_delay = m_delayEdit->text().toStdU16String();
    QDialog::accept();
}

void CDialogNewDataTX::showEvent(QShowEvent* event)
{
    // A spontaneous show is a restore from the task bar, not a new opening.
    if (!event->spontaneous())
        ShowInitialValues();
    QDialog::showEvent(event);
}

void CDialogNewDataTX::ShowInitialValues()
{
    m_data = u"<New Data>";
    m_waitRx = 0;
    m_halt = 0;
    m_delay = u"100";
    m_dataEdit->setText(QString::fromStdU16String(m_data));
    m_waitList->setCurrentIndex(m_waitRx);
    m_haltBox->setChecked(m_halt != 0);
    m_delayEdit->setText(QString::fromStdU16String(m_delay));
    m_dataEdit->selectAll();
    m_dataEdit->setFocus();
}

} // namespace wirevane
