#pragma once

#include <string>

namespace wirevane::runner {

// The device path to open for a port as a settings file or the command line names it: a path
// as it stands, a port name through the port list (a system port's name, such as ttyUSB0,
// always as /dev has it; a simulator's only while it runs), and the "\\.\NAME" form that
// files written on Windows hold by its name.
std::string PortPath(const std::string& name);

} // namespace wirevane::runner
