#pragma once

#include "connection/connection_windows.h"

namespace wirevane {

class CWirevaneDlg;

// The main window as connection management sees it.
class ConnectionWindowsAdapter final : public ConnectionWindows {
public:
    explicit ConnectionWindowsAdapter(CWirevaneDlg& window) : m_window(window) {}

    void SetConnectionStatus(std::u16string_view text) override;
    void UpdateConnectionControls(bool connected) override;
    void EnableTerminalAndButtonArray(bool enable) override;
    void StopRun() override;
    void DiscardHeldInput() override;

private:
    CWirevaneDlg& m_window;
};

} // namespace wirevane
