#pragma once

#include "platform/file_error.h"

#include <filesystem>
#include <windows.h>

namespace wirevane::platform {

// The refusal of a handle that is no plain file on a disk, by its GetFileType.
FileError NotARegularFile(DWORD fileType);

// Refuses a name that the system takes for a device ("NUL", "COM3", "CON", a pipe's
// \\.\pipe\name) before anything opens it: opening a port raises its lines and takes it from
// whoever wanted it next, and opening a pipe is a client coming and going. Success for every
// other name, the ones that cannot be told apart included; their open says the rest.
FileError RefuseDeviceName(const std::filesystem::path& path);

} // namespace wirevane::platform
