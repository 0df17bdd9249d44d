#pragma once

#include "terminal/traffic/traffic_log.h"

#include <QDialog>
#include <filesystem>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace wirevane {

// Asks what a log is to keep and where: the file (added to or replaced), the shown text in
// code page 932 or UTF-8 or the raw bytes both ways, and whether received lines carry their
// time. OK is offered only once a file is named. A name without a folder is taken in the given
// folder, where the program's files live, not in whatever folder the program was started from.
class LogStartDialog : public QDialog {
    Q_OBJECT
public:
    LogStartDialog(const LogChoice& last, bool timestamps, std::filesystem::path folder,
                   QWidget* parent = nullptr);

    LogChoice choice() const;
    bool timestamps() const;

private:
    void Browse();
    void UpdateControls();

    QLineEdit* m_file;
    QRadioButton* m_append;
    QRadioButton* m_replace;
    QRadioButton* m_shownText;
    QRadioButton* m_rawBytes;
    QComboBox* m_encoding;
    QCheckBox* m_timestamps;
    QPushButton* m_ok = nullptr;
    std::filesystem::path m_folder;
};

} // namespace wirevane
