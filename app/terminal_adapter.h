#pragma once

#include "terminal/terminal_host.h"

namespace wirevane {

class CWirevaneDlg;

// The main window as the terminal window sees it.
class TerminalAdapter final : public TerminalHost {
public:
    explicit TerminalAdapter(CWirevaneDlg& window) : m_window(window) {}

    void ConnectFrom(QWidget* dialogParent) override;
    void SettingsFrom(QWidget* dialogParent) override;
    void Disconnect() override;
    void SendBreak() override;
    void OnReset() override;
    void SetEncoding(TextEncoding encoding) override;
    bool ToggleTesterMode() override;
    bool IsTesterMode() const override;
    void EnableMainWindowAndButtonArray(bool enable) override;
    std::filesystem::path FilesFolder() const override;

private:
    CWirevaneDlg& m_window;
};

} // namespace wirevane
