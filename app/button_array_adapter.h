#pragma once

#include "buttons/button_array_host.h"

namespace wirevane {

class CWirevaneDlg;

// The main window as the button array window sees it.
class ButtonArrayAdapter final : public ButtonArrayHost {
public:
    explicit ButtonArrayAdapter(CWirevaneDlg& window) : m_window(window) {}

    platform::FileError LoadSettingsFile() override;
    SaveAsResult SaveAs() override;
    void OnReset() override;
    void OnSend() override;
    void OnStop() override;
    void EnableMainWindowAndTerminal(bool enable) override;

private:
    CWirevaneDlg& m_window;
};

} // namespace wirevane
