#pragma once

#include "commands/table_commands.h"

#include <QDialog>
#include <cstdint>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QShowEvent;

namespace wirevane {

// "新規": asks for the values with which a new table fills all its rows. Every opening starts
// from "<New Data>", no wait, no halt and a delay of "100"; the fields hold what was entered
// once the dialog closed with OK. The dialog rejects no input: texts are kept as typed.
class CDialogNewDataTX : public QDialog {
    Q_OBJECT
public:
    explicit CDialogNewDataTX(QWidget* parent = nullptr);

    NewTableValues values() const;

    void accept() override;

    std::u16string m_data;
    int32_t m_waitRx = 0;
    int32_t m_halt = 0;
    std::u16string m_delay;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowInitialValues();

    QLineEdit* m_dataEdit = nullptr;
    QComboBox* m_waitList = nullptr;
    QCheckBox* m_haltBox = nullptr;
    QLineEdit* m_delayEdit = nullptr;
};

} // namespace wirevane
