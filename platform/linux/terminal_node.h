#pragma once

#include <filesystem>

namespace wirevane::platform {

// Opening a device is not harmless: a watchdog starts counting down to a reset, a tape
// rewinds on close, and a FIFO releases whoever waits at its other end. A port's name, which
// may come from a settings file of someone else's, is therefore looked at before it is opened.
// Zero for a name that may be a terminal; ENOTTY for anything that is no character device and
// for one the system files under another class than the terminals; the look-up's own error
// (ENOENT, EACCES, ...) when the name cannot be looked at. A terminal the system does not list
// (a pseudo-terminal, or no /sys at all) passes: its open says the rest.
int RefuseNonTerminalNode(const std::filesystem::path& path);

} // namespace wirevane::platform
