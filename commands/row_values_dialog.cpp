#include "commands/row_values_dialog.h"

#include "commands/dialog_controls.h"
#include "core/decimal_text.h"
#include "grid/decimal_validator.h"
#include "grid/expectation_validator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QShowEvent>
#include <optional>

namespace wirevane {

void RowValuesDialog::accept()
{
    const std::optional<int32_t> delay = ParseDelayText(m_delayEdit->text().toStdU16String());
    if (!delay && UsesDelay()) {
        m_delayEdit->setFocus(Qt::OtherFocusReason);
        m_delayEdit->selectAll();
        ShowRefusal(*m_delayEdit, m_delayEdit->rect(), DelayValidator::Refusal());
        return;
    }
    const QString refusal = ExpectationValidator::Refusal(m_expectEdit->text());
    if (!refusal.isEmpty() && UsesExpect()) {
        m_expectEdit->setFocus(Qt::OtherFocusReason);
        m_expectEdit->selectAll();
        ShowRefusal(*m_expectEdit, m_expectEdit->rect(), refusal);
        return;
    }
    m_data = m_dataEdit->text().toStdU16String();
    m_waitRx = WaitKindOfItem(m_waitList->currentIndex());
    m_halt = m_haltBox->isChecked() ? 1 : 0;
    if (delay)
        m_delay = *delay;
    m_expect = m_expectEdit->text().toStdU16String();
    QDialog::accept();
}

void RowValuesDialog::AddFields(QWidget* parent, FieldIds ids, const QString& haltCaption)
{
    m_dataEdit = NewLineEdit(parent, ids.data);
    m_waitList = NewWaitKindList(parent, ids.waitRx);
    m_haltBox = NewCheckBox(parent, ids.halt, haltCaption);
    m_delayEdit = NewLineEdit(parent, ids.delay);
    m_delayEdit->setMaximumWidth(DialogUnits(40, 0).width());
    m_expectEdit = NewLineEdit(parent, ids.expect);
}

void RowValuesDialog::ShowStartValues()
{
    m_data = u"<New Data>";
    m_waitRx = WaitKind::None;
    m_halt = 0;
    m_delay = 100;
    m_expect.clear();
    m_dataEdit->setText(QString::fromStdU16String(m_data));
    m_waitList->setCurrentIndex(static_cast<int>(m_waitRx));
    m_haltBox->setChecked(m_halt != 0);
    m_delayEdit->setText(QString::number(m_delay));
    m_expectEdit->clear();
}

void RowValuesDialog::showEvent(QShowEvent* event)
{
    // A spontaneous show is a restore from the task bar, not a new opening.
    if (!event->spontaneous())
        ShowInitialValues();
    QDialog::showEvent(event);
}

} // namespace wirevane
