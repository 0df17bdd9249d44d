#pragma once

#include "platform/port_enumeration.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::platform {

// Where ports are looked for on Linux; the defaults are the system's, tests point them
// elsewhere.
struct PortSources {
    std::filesystem::path sysClassTty = "/sys/class/tty";
    std::filesystem::path devDir = "/dev";
    std::filesystem::path simulatorDir; // empty: SimulatorPortsDir()
};

// The folder where running simulators announce their ports: $WIREVANE_PORTS_DIR if set, else
// $XDG_RUNTIME_DIR/wirevane/ports, else /tmp/wirevane-ports-UID.
std::filesystem::path SimulatorPortsDir();

// The tty devices that have a driver behind them (serial ports without a UART left out), in
// name order, then the simulator ports that are still alive, in the same order.
std::vector<PortEntry> EnumeratePorts(const PortSources& sources);

// A simulator port's announced path, otherwise DEV/NAME. A name that already is a path is kept.
std::string PortDevicePath(std::string_view portName, const PortSources& sources);

} // namespace wirevane::platform
