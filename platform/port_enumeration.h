#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::platform {

// One serial port as the selection dialog lists it. The device name says what is behind the
// port and contains "USB" for a USB adapter (e.g. "USB-SERIAL/ftdi_sio", "USB/cdc_acm",
// "SERIAL-BASE/port"); a simulator port's device name is "wirevane-sim".
struct PortEntry {
    std::string portName;
    std::string deviceName;

    bool operator==(const PortEntry&) const = default;
};

// Where ports are looked for; the defaults are the system's, tests point them elsewhere.
struct PortSources {
    std::filesystem::path sysClassTty = "/sys/class/tty";
    std::filesystem::path devDir = "/dev";
    std::filesystem::path simulatorDir; // empty: SimulatorPortsDir()
};

// The folder where running simulators announce their ports: $WIREVANE_PORTS_DIR if set, else
// $XDG_RUNTIME_DIR/wirevane/ports, else /tmp/wirevane-ports-UID.
std::filesystem::path SimulatorPortsDir();

// The tty devices that have a driver behind them (serial ports without a UART left out), in
// name order with numbers compared as numbers (ttyS2 before ttyS10), then the simulator ports
// that are still alive, in the same order.
std::vector<PortEntry> EnumeratePorts(const PortSources& sources = {});

// The device path to open for a port name: a simulator port's announced path, otherwise
// DEV/NAME. A name that already is a path is kept.
std::string PortDevicePath(std::string_view portName, const PortSources& sources = {});

// The port name a device path shows in the status text: its last component.
std::string PortNameFromPath(std::string_view devicePath);

// Name order with digit runs compared by value.
bool PortNameLess(std::string_view a, std::string_view b);

} // namespace wirevane::platform
