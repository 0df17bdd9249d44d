#pragma once

#include "app/command_registry.h"
#include "core/run_observer.h"
#include "serial/run_priority.h"

#include <QCoreApplication>

class QLabel;
class QStatusBar;

namespace wirevane {

class CDialogButtonArray;

// The run's controls as the sequence engine drives them: send only while no run is active,
// stop only while one is, reset always; the button array's stop button and status line; and
// the status bar's count of the last run's answer checks. A run also takes realtime priority
// when the user allows it; the status bar says so once if the system refuses, the whole text
// in its tooltip, since the remedy does not fit a narrow window.
class RunControls final : public RunObserver {
    Q_DECLARE_TR_FUNCTIONS(RunControls)
public:
    RunControls(CommandRegistry& commands, RunPriority& priority)
        : m_commands(commands), m_priority(priority)
    {
    }

    // The button array, once it exists; a run reported before goes to the commands alone.
    void Attach(CDialogButtonArray& buttons) { m_buttons = &buttons; }
    // The status bar's pane for the count; hidden until a run with checks has ended.
    void AttachChecksPane(QLabel& pane) { m_checksPane = &pane; }
    void AttachStatusBar(QStatusBar& bar);

    void UpdateRunControls(bool running) override;
    void SetStatusText(std::u16string_view text) override;
    void ChecksCounted(int64_t passed, int64_t failed) override;

private:
    CommandRegistry& m_commands;
    RunPriority& m_priority;
    QStatusBar* m_statusBar = nullptr;
    CDialogButtonArray* m_buttons = nullptr;
    QLabel* m_checksPane = nullptr;
};

} // namespace wirevane
