#include "commands/dialog_property.h"

#include "commands/dialog_controls.h"
#include "commands/row_dialog_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace wirevane {

using namespace row_dialog_ids;

CDialogProperty::CDialogProperty(QWidget* parent) : RowValuesDialog(parent)
{
    setWindowTitle(tr("一括変更"));
    auto* group = new QGroupBox(tr("選択行の一括変更"), this);
    auto* changeDataBox = NewCheckBox(group, kChangeDataBox, tr("送信データ を変更する"));
    auto* changeWaitRxBox = NewCheckBox(group, kChangeWaitRxBox, tr("受信待ち を変更する"));
    auto* changeHaltBox = NewCheckBox(group, kChangeHaltBox, tr("停止 を変更する"));
    auto* changeDelayBox = NewCheckBox(group, kChangeDelayBox, tr("遅延 を変更する"));
    auto* changeExpectBox = NewCheckBox(group, kChangeExpectBox, tr("期待応答 を変更する"));
    AddFields(group,
              {.data = kBulkData,
               .waitRx = kBulkWaitRx,
               .halt = kBulkHalt,
               .delay = kBulkDelay,
               .expect = kBulkExpect},
              tr("停止"));

    auto* delayField = new QWidget(group);
    auto* delayLayout = new QHBoxLayout(delayField);
    delayLayout->setContentsMargins(0, 0, 0, 0);
    delayLayout->addWidget(m_delayEdit);
    delayLayout->addWidget(new QLabel(QStringLiteral("ms"), delayField));
    delayLayout->addStretch();

    auto* grid = new QGridLayout(group);
    grid->addWidget(changeDataBox, 0, 0);
    grid->addWidget(m_dataEdit, 0, 1);
    grid->addWidget(changeWaitRxBox, 1, 0);
    grid->addWidget(m_waitList, 1, 1, Qt::AlignLeft);
    grid->addWidget(changeHaltBox, 2, 0);
    grid->addWidget(m_haltBox, 2, 1);
    grid->addWidget(changeDelayBox, 3, 0);
    grid->addWidget(delayField, 3, 1);
    grid->addWidget(changeExpectBox, 4, 0);
    grid->addWidget(m_expectEdit, 4, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(NewOkCancelRow(this));
    resize(DialogUnits(320, 137));

    Bind(0, changeDataBox, m_changeData, m_dataEdit);
    Bind(1, changeWaitRxBox, m_changeWaitRx, m_waitList);
    Bind(2, changeHaltBox, m_changeHalt, m_haltBox);
    Bind(3, changeDelayBox, m_changeDelay, m_delayEdit);
    Bind(4, changeExpectBox, m_changeExpect, m_expectEdit);
    ShowInitialValues();
}

BulkChangeValues CDialogProperty::values() const
{
    return {m_changeData != 0,
            m_changeWaitRx != 0,
            m_changeHalt != 0,
            m_changeDelay != 0,
            m_data,
            m_waitRx,
            m_halt,
            m_delay,
            m_changeExpect != 0,
            m_expect};
}

void CDialogProperty::Bind(std::size_t line, QCheckBox* box, int32_t& flag, QWidget* field)
{
    m_lines[line] = {box, &flag, field};
    connect(box, &QCheckBox::toggled, this, [&flag, field](bool ticked) {
        flag = ticked ? 1 : 0;
        field->setEnabled(ticked);
    });
}

void CDialogProperty::ShowInitialValues()
{
    for (const ChangeLine& line : m_lines) {
        line.box->setChecked(false);
        *line.flag = line.box->isChecked() ? 1 : 0;
        line.field->setEnabled(line.box->isChecked());
    }
    ShowStartValues();
    m_lines[0].box->setFocus();
}

} // namespace wirevane
