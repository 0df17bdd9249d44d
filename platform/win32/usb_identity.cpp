#include "platform/port_enumeration.h"
#include "platform/win32/present_ports.h"
#include "platform/win32/usb_instance_id.h"
#include "platform/win32/win32_text.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
// After windows.h, which it needs.
#include <cfgmgr32.h>

namespace wirevane::platform {

namespace {

// The four hex digits after a marker such as "VID_".
std::string HexAfter(std::wstring_view text, std::wstring_view marker)
{
    const std::size_t at = text.find(marker);
    if (at == std::wstring_view::npos || text.size() < at + marker.size() + 4)
        return {};
    std::string digits;
    for (const wchar_t c : text.substr(at + marker.size(), 4)) {
        if (!std::iswxdigit(c))
            return {};
        digits += static_cast<char>(std::towlower(c));
    }
    return digits;
}

std::wstring InstanceId(DEVINST node)
{
    wchar_t id[MAX_DEVICE_ID_LEN] = {};
    return CM_Get_Device_IDW(node, id, MAX_DEVICE_ID_LEN, 0) == CR_SUCCESS ? id : L"";
}

// A port sits below its USB device: directly (usbser), through a USB interface of a composite
// device, or through the adapter's own bus (FTDIBUS). The first node on the way up that names a
// whole USB device carries the identity.
std::optional<UsbIdentity> IdentityAbove(DEVINST node)
{
    for (int depth = 0; depth < 4; ++depth) {
        if (auto identity = UsbIdentityFromInstanceId(InstanceId(node)))
            return identity;
        DEVINST parent = 0;
        if (CM_Get_Parent(&parent, node, 0) != CR_SUCCESS)
            return std::nullopt;
        node = parent;
    }
    return std::nullopt;
}

} // namespace

std::optional<UsbIdentity> UsbIdentityFromInstanceId(std::wstring_view instanceId)
{
    std::wstring upper(instanceId);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    if (!upper.starts_with(L"USB\\") || upper.find(L"&MI_") != std::wstring::npos)
        return std::nullopt;
    UsbIdentity identity{HexAfter(upper, L"VID_"), HexAfter(upper, L"PID_"), {}};
    if (identity.vendorId.empty() || identity.productId.empty())
        return std::nullopt;
    const std::size_t last = instanceId.rfind(L'\\');
    const std::wstring_view serial = instanceId.substr(last + 1);
    if (last > 4 && serial.find(L'&') == std::wstring_view::npos)
        identity.serialNumber = Utf8FromWide(std::wstring(serial));
    return identity;
}

std::optional<UsbIdentity> UsbIdentityOf(const std::string& devicePath)
{
    const std::wstring name = WideFromUtf8(PortNameFromPath(devicePath));
    for (const PresentPort& port : PresentPorts()) {
        if (_wcsicmp(port.portName.c_str(), name.c_str()) == 0)
            return IdentityAbove(port.devInst);
    }
    return std::nullopt;
}

std::vector<std::string> DevicesWithIdentity(const UsbIdentity& identity)
{
    std::vector<std::string> names;
    for (const PresentPort& port : PresentPorts()) {
        if (IdentityAbove(port.devInst) == identity)
            names.push_back(Utf8FromWide(port.portName));
    }
    std::sort(names.begin(), names.end(), PortNameLess);
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(PortDevicePath(name));
    return paths;
}

} // namespace wirevane::platform
