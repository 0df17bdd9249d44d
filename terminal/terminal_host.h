#pragma once

#include "core/text_encoding.h"

#include <filesystem>
#include <vector>

class QWidget;

namespace wirevane {

// What the terminal window reaches through the main window: the port commands, the run reset,
// the shared encoding and tester mode, and the enabling of the other two windows around the
// terminal's own dialogs.
class TerminalHost {
public:
    virtual ~TerminalHost() = default;

    // The dialog of connect and settings gets the terminal as its parent; the main window stays
    // disabled while it is open.
    virtual void ConnectFrom(QWidget* dialogParent) = 0;
    virtual void SettingsFrom(QWidget* dialogParent) = 0;
    virtual void Disconnect() = 0;
    virtual void SendBreak() = 0;

    virtual void OnReset() = 0;
    virtual void SetEncoding(TextEncoding encoding) = 0;
    // Inverts tester mode and answers its new state.
    virtual bool ToggleTesterMode() = 0;
    virtual bool IsTesterMode() const = 0;
    // The main window and the button array window.
    virtual void EnableMainWindowAndButtonArray(bool enable) = 0;
    // The folder the program's files live in: the terminal's file dialogs start there, and a
    // log named without a folder is written there.
    virtual std::filesystem::path FilesFolder() const = 0;
    // The program's own settings files: a log is never written over one, which would empty it
    // at once and lose the settings with the next exit that does not save.
    virtual std::vector<std::filesystem::path> OwnSettingsFiles() const = 0;
};

} // namespace wirevane
