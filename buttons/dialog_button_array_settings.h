#pragma once

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QLineEdit;

namespace wirevane {

// The side buttons' mode and the title of the group on show. The three mode boxes exclude
// each other but may all be clear (mode 0: side buttons hidden).
class CDialogButtonArraySettings : public QDialog {
    Q_OBJECT
public:
    CDialogButtonArraySettings(int32_t slotMode, int group, const QString& title,
                               QWidget* parent = nullptr);

    int32_t slotMode() const;
    QString title() const;

private:
    void KeepOnlyChecked(QCheckBox* checked);

    QCheckBox* m_register = nullptr;
    QCheckBox* m_unregister = nullptr;
    QCheckBox* m_rename = nullptr;
    QLineEdit* m_title = nullptr;
};

} // namespace wirevane
