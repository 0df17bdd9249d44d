#pragma once

#include "app/command_registry.h"
#include "core/run_observer.h"

#include <QCoreApplication>

class QLabel;

namespace wirevane {

class CDialogButtonArray;

// The run's controls as the sequence engine drives them: send only while no run is active,
// stop only while one is, reset always; the button array's stop button and status line; and
// the status bar's count of the last run's answer checks.
class RunControls final : public RunObserver {
    Q_DECLARE_TR_FUNCTIONS(RunControls)
public:
    explicit RunControls(CommandRegistry& commands) : m_commands(commands) {}

    // The button array, once it exists; a run reported before goes to the commands alone.
    void Attach(CDialogButtonArray& buttons) { m_buttons = &buttons; }
    // The status bar's pane for the count; hidden until a run with checks has ended.
    void AttachChecksPane(QLabel& pane) { m_checksPane = &pane; }

    void UpdateRunControls(bool running) override;
    void SetStatusText(std::u16string_view text) override;
    void ChecksCounted(int passed, int failed) override;

private:
    CommandRegistry& m_commands;
    CDialogButtonArray* m_buttons = nullptr;
    QLabel* m_checksPane = nullptr;
};

} // namespace wirevane
