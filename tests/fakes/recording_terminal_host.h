#pragma once

#include "terminal/terminal_host.h"

#include <filesystem>
#include <string>
#include <vector>

namespace wirevane::test {

// Records the commands the terminal window hands to the main window.
class RecordingTerminalHost final : public TerminalHost {
public:
    void ConnectFrom(QWidget* dialogParent) override
    {
        calls.emplace_back("connect");
        lastParent = dialogParent;
    }
    void SettingsFrom(QWidget* dialogParent) override
    {
        calls.emplace_back("settings");
        lastParent = dialogParent;
    }
    void Disconnect() override { calls.emplace_back("disconnect"); }
    void SendBreak() override { calls.emplace_back("break"); }
    void OnReset() override { calls.emplace_back("reset"); }
    void SetEncoding(TextEncoding encoding) override
    {
        calls.push_back("encoding " + std::to_string(static_cast<int>(encoding)));
    }
    bool ToggleTesterMode() override
    {
        testerMode = !testerMode;
        calls.emplace_back("tester");
        return testerMode;
    }
    bool IsTesterMode() const override { return testerMode; }
    void EnableMainWindowAndButtonArray(bool enable) override
    {
        calls.emplace_back(enable ? "owners on" : "owners off");
    }

    std::filesystem::path FilesFolder() const override { return filesFolder; }
    std::vector<std::filesystem::path> OwnSettingsFiles() const override { return {}; }

    std::vector<std::string> calls;
    std::filesystem::path filesFolder;
    QWidget* lastParent = nullptr;
    bool testerMode = false;
};

} // namespace wirevane::test
