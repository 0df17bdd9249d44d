#pragma once

#include <QDialog>

class QLineEdit;

namespace wirevane {

// Asks for a button's caption, opened on its current text.
class CDialogButtonText : public QDialog {
    Q_OBJECT
public:
    CDialogButtonText(const QString& text, QWidget* parent = nullptr);

    QString text() const;

private:
    QLineEdit* m_edit = nullptr;
};

} // namespace wirevane
