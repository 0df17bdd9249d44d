#include "commands/dialog_new_data_tx.h"

#include "commands/dialog_controls.h"
#include "commands/row_dialog_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace wirevane {

using namespace row_dialog_ids;

CDialogNewDataTX::CDialogNewDataTX(QWidget* parent) : RowValuesDialog(parent)
{
    setWindowTitle(tr("新規"));
    auto* group = new QGroupBox(tr("初期データ"), this);
    AddFields(group,
              {.data = kNewData,
               .waitRx = kNewWaitRx,
               .halt = kNewHalt,
               .delay = kNewDelay,
               .expect = kNewExpect},
              tr("停止"));

    auto* dataLabel = new QLabel(tr("送信データ"), group);
    dataLabel->setBuddy(m_dataEdit);
    auto* waitLabel = new QLabel(tr("受信待"), group);
    waitLabel->setBuddy(m_waitList);
    auto* delayLabel = new QLabel(tr("遅延 [ms]"), group);
    delayLabel->setBuddy(m_delayEdit);
    auto* expectLabel = new QLabel(tr("期待応答"), group);
    expectLabel->setBuddy(m_expectEdit);

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
    groupLayout->addWidget(expectLabel);
    groupLayout->addWidget(m_expectEdit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(NewOkCancelRow(this));
    resize(DialogUnits(274, 122));

    connect(m_waitList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_waitRx = WaitKindOfItem(index); });
    ShowInitialValues();
}

NewTableValues CDialogNewDataTX::values() const
{
    return {m_data, m_waitRx, m_halt, m_delay, m_expect};
}

void CDialogNewDataTX::ShowInitialValues()
{
    ShowStartValues();
    m_dataEdit->selectAll();
    m_dataEdit->setFocus();
}

} // namespace wirevane
