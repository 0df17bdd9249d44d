#include "platform/port_enumeration.h"

#include "platform/command_line.h"
#include "platform/win32/port_name.h"
#include "platform/win32/present_ports.h"
#include "platform/win32/win32_text.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace wirevane::platform {

namespace {

// The description of each present USB port, by port name (the hardware id of a USB adapter
// starts with "USB\" or with its driver's own bus, such as "FTDIBUS\").
std::map<std::wstring, std::wstring> UsbDescriptions()
{
    std::map<std::wstring, std::wstring> found;
    for (const PresentPort& port : PresentPorts()) {
        if (port.hardwareId.starts_with(L"USB\\") || port.hardwareId.starts_with(L"FTDIBUS\\"))
            found[port.portName] = port.friendlyName;
    }
    return found;
}

} // namespace

std::vector<PortEntry> EnumeratePorts()
{
    std::vector<PortEntry> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return ports;
    const std::map<std::wstring, std::wstring> usb = UsbDescriptions();
    for (DWORD index = 0;; ++index) {
        // Each value is one port: its name is the kernel's device, its data the COM name.
        wchar_t device[256];
        DWORD deviceLength = 256;
        wchar_t port[256];
        DWORD portSize = sizeof port;
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, device, &deviceLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(port), &portSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue;
        const std::wstring portName(port, wcsnlen(port, portSize / sizeof(wchar_t)));
        std::string deviceName = Utf8FromWide(std::wstring(device, deviceLength));
        if (const auto adapter = usb.find(portName);
            adapter != usb.end() && deviceName.find("USB") == std::string::npos)
            deviceName += " USB " + Utf8FromWide(adapter->second);
        ports.push_back({Utf8FromWide(portName), deviceName});
    }
    RegCloseKey(key);
    std::sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) {
        return PortNameLess(a.portName, b.portName);
    });
    return ports;
}

// COM1 to COM9 open by their plain names too, COM10 and up only in the device namespace, so
// every port name gets the namespace form.
std::string PortDevicePath(std::string_view portName)
{
    if (portName.starts_with("\\\\") || portName.find('/') != std::string_view::npos ||
        portName.find('\\') != std::string_view::npos)
        return std::string(portName);
    return "\\\\.\\" + std::string(portName);
}

bool MayNamePort(std::string_view devicePath)
{
    return RefuseNonPortName(PathFromUtf8(devicePath)) == ERROR_SUCCESS;
}

// A COM name stays with its port's driver; no other program can take it over.
std::optional<std::string> ReopenableDevice(std::string_view devicePath)
{
    std::error_code error;
    if (!std::filesystem::exists(PathFromUtf8(devicePath), error))
        return std::nullopt;
    return std::string(devicePath);
}

std::string PortNameFromPath(std::string_view devicePath)
{
    const std::size_t separator = devicePath.find_last_of("\\/");
    return std::string(separator == std::string_view::npos ? devicePath
                                                           : devicePath.substr(separator + 1));
}

} // namespace wirevane::platform
