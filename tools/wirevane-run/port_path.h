#pragma once

#include <string>

namespace wirevane::runner {

// The device path to open for a port as a settings file or the command line names it: a path
// as it stands, a port name (ttyUSB0) through the port list, and the "\\.\NAME" form that
// files written on Windows hold by its name.
std::string PortPath(const std::string& name);

} // namespace wirevane::runner
