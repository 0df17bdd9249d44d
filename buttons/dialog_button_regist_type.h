#pragma once

#include <QDialog>

class QRadioButton;

namespace wirevane {

// How a button gets its file: 0 an existing settings file, 1 the current table saved anew
// (preselected, since registering usually follows preparing a table).
class CDialogButtonRegistType : public QDialog {
    Q_OBJECT
public:
    static constexpr int kExistingFile = 0;
    static constexpr int kSaveCurrentTable = 1;

    explicit CDialogButtonRegistType(QWidget* parent = nullptr);

    int choice() const;

private:
    QRadioButton* m_existing = nullptr;
    QRadioButton* m_saveCurrent = nullptr;
};

} // namespace wirevane
