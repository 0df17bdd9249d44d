#pragma once

#include <QDialog>

namespace wirevane {

// The version box: the program's icon and name, its version, and what it is for.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace wirevane
