#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::platform {

// One serial port as the selection dialog lists it. The device name says what is behind the
// port and contains "USB" for a USB adapter (e.g. "USB-SERIAL/ftdi_sio", "USB/cdc_acm",
// "SERIAL-BASE/port" on Linux, "\Device\VCP0" or a USB adapter's description on Windows); a
// simulator port's device name is "wirevane-sim".
struct PortEntry {
    std::string portName;
    std::string deviceName;

    bool operator==(const PortEntry&) const = default;
};

// The system's serial ports, in name order with numbers compared as numbers (ttyS2 before
// ttyS10, COM2 before COM10).
std::vector<PortEntry> EnumeratePorts();

// The device path to open for a port name as the list shows it or a user types it. A name
// that already is a path is kept; a name the system's devices have is never taken from
// anywhere else.
std::string PortDevicePath(std::string_view portName);

// Whether a device path may name a port, told from the name alone, without looking it up: on
// Windows only a device's own name may, not a share, a pipe or a file, whose lookup would reach
// out to another machine with the user's credentials; on Linux any path may, and what stands
// behind it decides.
bool MayNamePort(std::string_view devicePath);

// What stands behind a port's device path now, for a lost port's path found again: nothing
// when the path may name another program's device (a simulator's announcement its simulator
// no longer holds; a pseudo-terminal, whose number the system gives to whoever asks next),
// otherwise a text that changes when another device takes the path.
std::optional<std::string> ReopenableDevice(std::string_view devicePath);

// The port name a device path shows in the status text: its last component.
std::string PortNameFromPath(std::string_view devicePath);

// Name order with digit runs compared by value.
bool PortNameLess(std::string_view a, std::string_view b);

} // namespace wirevane::platform
