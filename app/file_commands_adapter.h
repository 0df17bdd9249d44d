#pragma once

#include "persistence/settings_interfaces.h"

namespace wirevane {

class CWirevaneDlg;

// The main window as its file commands see it: the run reset, the companion windows around a
// dialog, the dialogs themselves and the send table's column layout.
class FileCommandsAdapter final : public SettingsCommandHost, public TableLayoutStore {
public:
    explicit FileCommandsAdapter(CWirevaneDlg& window) : m_window(window) {}

    void OnReset() override;
    void EnableTerminalAndButtonArray(bool enable) override;
    bool confirm(std::u16string_view text, std::u16string_view caption) override;
    std::optional<std::filesystem::path>
    chooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path>
    chooseFileToSave(const FileDialogRequest& request) override;

    void loadColumnLayout() override;
    void saveColumnLayout() override;

private:
    CWirevaneDlg& m_window;
};

} // namespace wirevane
