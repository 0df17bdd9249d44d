#pragma once

#include "terminal/terminal_host.h"

#include <string>
#include <vector>

namespace wirevane::test {

// Records the commands the terminal window hands to the main window.
class RecordingTerminalHost final : public TerminalHost {
public:
    void ConnectFrom(QWidget* dialogParent) override
    {
        calls.push_back("connect");
        lastParent = dialogParent;
    }
    void SettingsFrom(QWidget* dialogParent) override
    {
        calls.push_back("settings");
        lastParent = dialogParent;
    }
    void Disconnect() override { calls.push_back("disconnect"); }
    void SendBreak() override { calls.push_back("break"); }
    void OnReset() override { calls.push_back("reset"); }
    void SetEncoding(TextEncoding encoding) override
    {
        calls.push_back("encoding " + std::to_string(encoding));
    }
    bool ToggleTesterMode() override
    {
        testerMode = !testerMode;
        calls.push_back("tester");
        return testerMode;
    }
    bool IsTesterMode() const override { return testerMode; }
    void EnableMainWindowAndButtonArray(bool enable) override
    {
        calls.push_back(enable ? "owners on" : "owners off");
    }

    std::vector<std::string> calls;
    QWidget* lastParent = nullptr;
    bool testerMode = false;
};

} // namespace wirevane::test
