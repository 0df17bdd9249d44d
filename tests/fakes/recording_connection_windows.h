#pragma once

#include "connection/connection_windows.h"
#include "terminal/dialog_terminal.h"

#include <QString>
#include <string>
#include <vector>

namespace wirevane::test {

// Stands in for the main window's side of the connection state: shows it in a real terminal
// window and records what the main window itself would have shown.
class RecordingConnectionWindows final : public ConnectionWindows {
public:
    explicit RecordingConnectionWindows(CDialogTerminal& terminal) : m_terminal(terminal) {}

    void SetConnectionStatus(std::u16string_view text) override
    {
        mainStatus = std::u16string(text);
        statusHistory.push_back(mainStatus);
        m_terminal.SetStatusText(QString::fromStdU16String(mainStatus));
    }
    void UpdateConnectionControls(bool connected) override
    {
        m_terminal.UpdateConnectionControls(connected);
    }
    void EnableCompanionWindows(bool enable) override { guard.push_back(enable); }
    void StopRun() override {}
    void DiscardHeldInput() override {}

    std::u16string mainStatus;
    std::vector<std::u16string> statusHistory;
    std::vector<bool> guard;

private:
    CDialogTerminal& m_terminal;
};

} // namespace wirevane::test
