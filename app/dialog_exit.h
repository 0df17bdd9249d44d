#pragma once

#include "platform/file_error.h"

#include <QDialog>
#include <functional>
#include <map>
#include <set>

class QKeyEvent;

namespace wirevane {

// The exit question: "保存して終了" saves the table and accepts, "保存せず終了" accepts without
// saving, "キャンセル" (and Escape, and the close box) rejects. A save that fails is reported
// through the caller's function and the dialog stays open, so the user decides again knowing
// the file was not written. Buttons are named by their ids (exit_dialog_ids.h).
// The dialog opens under a key that is still held (Escape or Enter on the main window), and
// "保存して終了" is the default: so it takes only keys pressed while it is shown. Auto-repeat
// of a key held from before, flagged or not, and the release of a key it did not see pressed,
// are dropped.
class CDialogExit : public QDialog {
    Q_OBJECT
public:
    using SaveTable = std::function<platform::FileError()>;
    using ReportFailure = std::function<void(const platform::FileError&)>;

    CDialogExit(SaveTable save, ReportFailure report, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSaveAndExit();
    // Whether a key event belongs to a press the dialog saw.
    bool TakesKey(const QKeyEvent& key);

    SaveTable m_save;
    ReportFailure m_report;
    std::set<int> m_pressedHere;
    // Keys held from before: the time stamp of their last release.
    std::map<int, quint64> m_heldReleased;
};

} // namespace wirevane
