#pragma once

#include "commands/table_commands.h"

#include <QDialog>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QShowEvent;

namespace wirevane {

// "一括変更": asks which fields of the ticked rows a bulk change replaces, and with what. Each
// of the four change boxes enables its field and sets its flag; every opening starts with all
// boxes clear, all fields disabled and the values "<New Data>", no wait, no halt, "100". On OK
// every field is read, enabled or not: the flags decide what the bulk change uses.
class CDialogProperty : public QDialog {
    Q_OBJECT
public:
    explicit CDialogProperty(QWidget* parent = nullptr);

    BulkChangeValues values() const;

    void accept() override;

    int32_t m_changeData = 0;
    int32_t m_changeWaitRx = 0;
    int32_t m_changeHalt = 0;
    int32_t m_changeDelay = 0;
    std::u16string m_data;
    int32_t m_waitRx = 0;
    int32_t m_halt = 0;
    std::u16string m_delay;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // A change box, the flag it sets and the field it enables.
    struct ChangeLine {
        QCheckBox* box = nullptr;
        int32_t* flag = nullptr;
        QWidget* field = nullptr;
    };

    void Bind(std::size_t line, QCheckBox* box, int32_t& flag, QWidget* field);
    void ShowInitialValues();

    std::array<ChangeLine, 4> m_lines{};
    QLineEdit* m_dataEdit = nullptr;
    QComboBox* m_waitList = nullptr;
    QCheckBox* m_haltBox = nullptr;
    QLineEdit* m_delayEdit = nullptr;
};

} // namespace wirevane
