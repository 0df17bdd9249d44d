#pragma once

#include <filesystem>
#include <windows.h>

namespace wirevane::platform {

// A port's name may come from someone else's settings file, and opening is not harmless: a
// file or a pipe would be opened in a port's place, and a name on another machine
// (\\server\share\x) makes Windows connect there and present the user's credentials. Only a
// name in the device space with no folder in it (\\.\COM3, \\?\usb#vid_...#{...}) is opened;
// for any other, ERROR_INVALID_FUNCTION, what a file says when asked for its port settings.
DWORD RefuseNonPortName(const std::filesystem::path& path);

} // namespace wirevane::platform
