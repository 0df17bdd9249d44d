#pragma once

#include "commands/row_values_dialog.h"
#include "commands/table_commands.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace wirevane {

// "一括変更": asks which fields of the ticked rows a bulk change replaces, and with what. Each
// of the five change boxes enables its field and sets its flag; every opening also clears all
// boxes and disables all fields. On OK every field is read, enabled or not: the flags decide
// what the bulk change uses, and a refused delay stops OK only when the delay is to change.
class CDialogProperty final : public RowValuesDialog {
    Q_OBJECT
public:
    explicit CDialogProperty(QWidget* parent = nullptr);

    BulkChangeValues values() const;

    int32_t m_changeData = 0;
    int32_t m_changeWaitRx = 0;
    int32_t m_changeHalt = 0;
    int32_t m_changeDelay = 0;
    int32_t m_changeExpect = 0;

private:
    // A change box, the flag it sets and the field it enables.
    struct ChangeLine {
        QCheckBox* box = nullptr;
        int32_t* flag = nullptr;
        QWidget* field = nullptr;
    };

    void Bind(std::size_t line, QCheckBox* box, int32_t& flag, QWidget* field);
    void ShowInitialValues() final;
    bool UsesDelay() const final { return m_changeDelay != 0; }
    bool UsesExpect() const final { return m_changeExpect != 0; }

    std::array<ChangeLine, 5> m_lines{};
};

} // namespace wirevane
