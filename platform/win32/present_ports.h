#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace wirevane::platform {

// A port device that Windows' device manager holds as present, with what SetupAPI tells of it.
struct PresentPort {
    std::wstring portName;     // "COM5"
    std::wstring hardwareId;   // "USB\VID_0403&PID_6001", "FTDIBUS\...", "ACPI\PNP0501"
    std::wstring friendlyName; // "USB Serial Port (COM5)"
    DWORD devInst = 0;         // for walking up the device tree with the configuration manager
};

std::vector<PresentPort> PresentPorts();

} // namespace wirevane::platform
