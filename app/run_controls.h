#pragma once

#include "app/command_registry.h"
#include "core/run_observer.h"

namespace wirevane {

class CDialogButtonArray;

// The run's controls as the sequence engine drives them: send only while no run is active,
// stop only while one is, reset always; and the button array's stop button and status line.
class RunControls final : public RunObserver {
public:
    explicit RunControls(CommandRegistry& commands) : m_commands(commands) {}

    // The button array, once it exists; a run reported before goes to the commands alone.
    void Attach(CDialogButtonArray& buttons) { m_buttons = &buttons; }

    void UpdateRunControls(bool running) override;
    void SetStatusText(std::u16string_view text) override;

private:
    CommandRegistry& m_commands;
    CDialogButtonArray* m_buttons = nullptr;
};

} // namespace wirevane
