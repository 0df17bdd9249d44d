#pragma once

#include "persistence/settings_commands.h"
#include "platform/file_error.h"

namespace wirevane {

// What the button array window asks of the main window. The array points the active profile
// path at a slot's file itself (ProfileRedirect) around LoadSettingsFile.
class ButtonArrayHost {
public:
    virtual ~ButtonArrayHost() = default;

    virtual platform::FileError LoadSettingsFile() = 0;
    // The main window's save as, with its own dialog ("設定ファイル 保存").
    virtual SaveAsResult SaveAs() = 0;
    virtual void OnReset() = 0;
    virtual void OnSend() = 0;
    virtual void OnStop() = 0;
    // The main window and the terminal (window and text area) around this window's dialogs.
    virtual void EnableMainWindowAndTerminal(bool enable) = 0;
};

} // namespace wirevane
