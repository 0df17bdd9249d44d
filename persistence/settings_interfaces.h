#pragma once

#include "core/text_encoding.h"
#include "platform/file_error.h"
#include "platform/line_settings.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace wirevane {

// What loading a settings file needs of the port object. Values go to the port unchecked; on a
// closed port both setters fail without effect, and their results are not looked at. The
// getters answer what the port has now: most files (every save as, every temporary save) have
// no SERIAL section, and loading one must not reconfigure or rename a port that is in use.
class SettingsPort {
public:
    virtual ~SettingsPort() = default;
    virtual const std::u16string& DeviceName() const = 0;
    virtual void SetDeviceName(std::u16string name) = 0;
    virtual platform::LineSettings CurrentLineSettings() const = 0;
    virtual uint32_t SetLineSettings(const platform::LineSettings& settings) = 0;
    virtual uint32_t SetHandshake(int32_t handshake) = 0;
};

// The controls of the main window and the terminal that follow a loaded file.
class SettingsControls {
public:
    virtual ~SettingsControls() = default;
    virtual void SetCyclicCheck(bool checked) = 0;         // check box 1007
    virtual void SelectLineEnd(LineEndSuffix lineEnd) = 0; // combo box 1008
    // As SetEncoding shows a value in both windows: the terminal's encoding, the menu check
    // marks (SJIS for a value outside 0..2) and both encoding combo boxes.
    virtual void ShowEncoding(TextEncoding encoding) = 0;
};

// The three top-level windows whose restored rectangles the settings file keeps.
enum class PlacedWindow { Main, Terminal, ButtonArray };

struct WindowRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // No position stored: zero or negative width or height.
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const WindowRect&) const = default;
};

class WindowPlacements {
public:
    virtual ~WindowPlacements() = default;
    // The rectangle the window has when neither minimised nor maximised, in screen pixels.
    virtual WindowRect NormalRect(PlacedWindow window) const = 0;
    virtual bool IsVisibleAndNotMinimised(PlacedWindow window) const = 0;
};

// The column layout of the send table, saved into and loaded from the active profile file.
class TableLayoutStore {
public:
    virtual ~TableLayoutStore() = default;
    virtual void LoadColumnLayout() = 0;
    virtual void SaveColumnLayout() = 0;
};

struct FileDialogRequest {
    std::u16string title;
    std::u16string filter; // "Name (*.x)|*.x|...||" as the native dialogs take it
    std::u16string defaultExtension;
    std::filesystem::path initialFolder;
};

// What the settings commands need of the main window: the run reset, the companion windows'
// enabling around a dialog, and the dialogs themselves.
class SettingsCommandHost {
public:
    virtual ~SettingsCommandHost() = default;
    virtual void OnReset() = 0;
    virtual void EnableCompanionWindows(bool enable) = 0;
    // A message box with OK and Cancel; true for OK.
    virtual bool Confirm(std::u16string_view text, std::u16string_view caption) = 0;
    // An existing file, or nothing on Cancel.
    virtual std::optional<std::filesystem::path>
    ChooseFileToOpen(const FileDialogRequest& request) = 0;
    // A file to write, after asking before overwriting one; nothing on Cancel.
    virtual std::optional<std::filesystem::path>
    ChooseFileToSave(const FileDialogRequest& request) = 0;
};

} // namespace wirevane
