#pragma once

#include "platform/port_enumeration.h"

#include <filesystem>
#include <optional>
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
// $XDG_RUNTIME_DIR/wirevane/ports, else /tmp/wirevane-ports-UID. It is read only while it is
// private to this user (WhyNotPrivate).
std::filesystem::path SimulatorPortsDir();

// The tty devices that have a driver behind them (serial ports without a UART left out), in
// name order, then the simulator ports whose simulators still hold them, in the same order.
std::vector<PortEntry> EnumeratePorts(const PortSources& sources);

// DEV/NAME for a name the system's devices have, else a live simulator port's announced path,
// else DEV/NAME. A name that already is a path is kept.
std::string PortDevicePath(std::string_view portName, const PortSources& sources);

std::optional<std::string> ReopenableDevice(std::string_view devicePath,
                                            const PortSources& sources);

} // namespace wirevane::platform
