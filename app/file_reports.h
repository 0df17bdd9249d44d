#pragma once

#include "platform/file_error.h"

#include <QString>
#include <filesystem>
#include <string_view>

class QWidget;

namespace wirevane {

// "Name (*.x)|*.x|Other (*.y)|*.y||", as the settings commands describe their files, in the
// form Qt's file dialogs take: "Name (*.x);;Other (*.y)".
QString QtFileFilter(std::u16string_view nativeFilter);

// The message for a settings file that could not be written or read: what failed, the file, and
// the system's reason, each on its own line.
QString SaveFailureText(const std::filesystem::path& file, const platform::FileError& error);
QString LoadFailureText(const std::filesystem::path& file, const platform::FileError& error);
// The same messages in a message box over the window.
void ShowSaveFailure(QWidget* window, const std::filesystem::path& file,
                     const platform::FileError& error);
void ShowLoadFailure(QWidget* window, const std::filesystem::path& file,
                     const platform::FileError& error);

} // namespace wirevane
