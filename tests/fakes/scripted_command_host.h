#pragma once

#include "persistence/settings_interfaces.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace wirevane::test {

// The main window as the settings commands see it: the dialogs answer what the test scripted,
// and every call is logged in order, so a test can check the sequence of a command.
class ScriptedCommandHost final : public SettingsCommandHost {
public:
    void OnReset() override { log.emplace_back("reset"); }
    void EnableCompanionWindows(bool enable) override
    {
        log.emplace_back(enable ? "enable" : "disable");
    }
    bool Confirm(std::u16string_view text, std::u16string_view caption) override
    {
        log.emplace_back("confirm");
        confirmText = std::u16string(text);
        confirmCaption = std::u16string(caption);
        return confirmAnswer;
    }
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest& request) override
    {
        log.emplace_back("open dialog");
        lastRequest = request;
        return openAnswer;
    }
    std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest& request) override
    {
        log.emplace_back("save dialog");
        lastRequest = request;
        return saveAnswer;
    }

    bool confirmAnswer = true;
    std::optional<std::filesystem::path> openAnswer;
    std::optional<std::filesystem::path> saveAnswer;

    std::vector<std::string> log;
    std::u16string confirmText;
    std::u16string confirmCaption;
    std::optional<FileDialogRequest> lastRequest;
};

} // namespace wirevane::test
