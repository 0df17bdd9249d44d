#pragma once

#include "core/run_observer.h"

namespace wirevane {

class CWirevaneDlg;

// The main window as the sequence engine sees it: its run commands and the button array's
// status line.
class RunControlsAdapter final : public RunObserver {
public:
    explicit RunControlsAdapter(CWirevaneDlg& window) : m_window(window) {}

    void UpdateRunControls(bool running) override;
    void SetStatusText(std::u16string_view text) override;

private:
    CWirevaneDlg& m_window;
};

} // namespace wirevane
