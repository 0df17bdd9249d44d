#pragma once

#include "platform/file_error.h"

#include <QDialog>
#include <functional>

namespace wirevane {

// The exit question: "保存して終了" saves the table and accepts, "保存せず終了" accepts without
// saving, "キャンセル" (and Escape, and the close box) rejects. A save that fails is reported
// through the caller's function and the dialog stays open, so the user decides again knowing
// the file was not written. Buttons are named by their ids ("6", "7", "2").
class CDialogExit : public QDialog {
    Q_OBJECT
public:
    using SaveTable = std::function<platform::FileError()>;
    using ReportFailure = std::function<void(const platform::FileError&)>;

    CDialogExit(SaveTable save, ReportFailure report, QWidget* parent = nullptr);

private:
    void OnSaveAndExit();

    SaveTable m_save;
    ReportFailure m_report;
};

} // namespace wirevane
