#include "serial/dialogs/port_list.h"

#include "serial/connection_status.h"

namespace wirevane {

std::u16string PortListText(const PortChoice& port)
{
    const bool virtualPort = port.deviceName.find(u"USB") != std::u16string::npos ||
                             port.deviceName.find(u"VCP") != std::u16string::npos;
    if (!virtualPort)
        return port.portName;
    return port.portName + u"    Virtual-COM-Port";
}

int PreselectedPort(const std::vector<PortChoice>& ports, std::u16string_view deviceName)
{
    const std::u16string current = PortNameOf(deviceName);
    for (int i = static_cast<int>(ports.size()) - 1; i >= 0; --i) {
        if (ports[static_cast<std::size_t>(i)].portName == current)
            return i;
    }
    return static_cast<int>(ports.size()) - 1;
}

} // namespace wirevane
