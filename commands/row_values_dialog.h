#pragma once

#include "core/wait_kind.h"

#include <QDialog>
#include <cstdint>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QShowEvent;

namespace wirevane {

// The fields of a row that the new table and bulk change dialogs ask for: data, wait, halt,
// delay and expected answer. Every opening starts them from "<New Data>", no wait, no halt, a
// delay of "100" and no expected answer; the values hold what the fields showed once the dialog
// closed with OK, the data and the answer as typed. OK with a delay that the delay rule refuses,
// or an answer whose expression cannot be used, when the dialog uses it, keeps the dialog open
// and says why, so no table is filled with a value that shows one thing and runs another.
class RowValuesDialog : public QDialog {
public:
    void accept() override;

    std::u16string m_data;
    WaitKind m_waitRx = WaitKind::None;
    int32_t m_halt = 0;
    int32_t m_delay = 100;
    std::u16string m_expect;

protected:
    // The control ids of the five fields.
    struct FieldIds {
        int data;
        int waitRx;
        int halt;
        int delay;
        int expect;
    };

    using QDialog::QDialog;

    // Makes the five fields in parent, in this order, which is their order in the tab chain.
    void AddFields(QWidget* parent, FieldIds ids, const QString& haltCaption);
    // A new opening: the start values into the values and the fields.
    void ShowStartValues();
    // What a new opening shows: the start values and whatever else the dialog resets.
    virtual void ShowInitialValues() = 0;
    // Whether OK uses the delay field, and so must refuse a delay the rule does not take.
    virtual bool UsesDelay() const { return true; }
    virtual bool UsesExpect() const { return true; }

    void showEvent(QShowEvent* event) override;

    QLineEdit* m_dataEdit = nullptr;
    QComboBox* m_waitList = nullptr;
    QCheckBox* m_haltBox = nullptr;
    QLineEdit* m_delayEdit = nullptr;
    QLineEdit* m_expectEdit = nullptr;
};

} // namespace wirevane
