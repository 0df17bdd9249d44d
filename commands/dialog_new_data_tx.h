#pragma once

#include "commands/row_values_dialog.h"
#include "commands/table_commands.h"

namespace wirevane {

// "新規": asks for the values with which a new table fills all its rows. The send data is taken
// as typed; the delay only as the delay rule takes it.
class CDialogNewDataTX final : public RowValuesDialog {
    Q_OBJECT
public:
    explicit CDialogNewDataTX(QWidget* parent = nullptr);

    NewTableValues values() const;

private:
    void ShowInitialValues() final;
};

} // namespace wirevane
