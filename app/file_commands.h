#pragma once

#include "persistence/program_paths.h"
#include "persistence/settings_commands.h"
#include "persistence/settings_interfaces.h"

#include <filesystem>
#include <optional>

class QWidget;

namespace wirevane {

class CompanionWindows;
class CGridListCtrlGroups;
class SequenceEngine;

// The file commands of the main window and the button array with their prompts: the question
// and the file dialogs over the main window, the companion windows disabled around them, the
// run reset first, the send table's column layout loaded and saved with the file, and a
// message box for a file that could not be read or written.
class FileCommands final : public SettingsCommandHost, public TableLayoutStore {
public:
    FileCommands(QWidget& window, SettingsFile& settings, SequenceEngine& engine,
                 CompanionWindows& windows, CGridListCtrlGroups& grid, const ProgramPaths& paths);

    void Reload();
    void Open();
    SaveAsResult SaveAs();
    void TemporarySave();
    void TemporaryLoad();

    void OnReset() override;
    void EnableCompanionWindows(bool enable) override;
    bool Confirm(std::u16string_view text, std::u16string_view caption) override;
    std::optional<std::filesystem::path>
    ChooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path>
    ChooseFileToSave(const FileDialogRequest& request) override;

    void LoadColumnLayout() override;
    void SaveColumnLayout() override;

private:
    QWidget& m_window;
    SequenceEngine& m_engine;
    CompanionWindows& m_windows;
    CGridListCtrlGroups& m_grid;
    const ProgramPaths& m_paths;
    SettingsCommands m_commands;
    // The file the open command chose last, for its failure message.
    std::filesystem::path m_chosenFile;
};

} // namespace wirevane
