#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace wirevane {

// A port the user typed into the selection dialog instead of choosing it: a port name
// (ttyUSB1, a simulator's wvsim0), a device path (/dev/pts/3), or the "\\.\COM3" form a file
// written on Windows holds.
struct TypedPort {
    std::u16string name;    // what the port object is given: the text without the "\\.\" prefix
    std::string devicePath; // where that name leads
};

TypedPort ResolveTypedPort(std::u16string_view typed);

// Why the device path cannot be a port to open, in words for the user; empty when it can be
// tried. Tells a missing device, one that is no character device, and one the user may not
// read and write apart.
QString TypedPortProblem(const TypedPort& port);

} // namespace wirevane
