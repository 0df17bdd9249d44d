#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

// One port the selection dialog offers: the name the user picks (COM3, ttyUSB0) and the device
// behind it, which tells adapters apart.
struct PortChoice {
    std::u16string portName;
    std::u16string deviceName;
};

// "%s    Virtual-COM-Port" for a USB or VCP device (case-sensitive), otherwise the name alone.
std::u16string PortListText(const PortChoice& port);

// The entry to preselect for the port object's device name: the last port whose name equals
// its port name exactly, else the last entry; -1 for an empty list.
int PreselectedPort(const std::vector<PortChoice>& ports, std::u16string_view deviceName);

} // namespace wirevane
