#include "platform/port_enumeration.h"

#include "platform/win32/win32_text.h"

#include <algorithm>
#include <map>
#include <windows.h>
// After windows.h, which it needs.
#include <devguid.h>
#include <setupapi.h>

namespace wirevane::platform {

namespace {

std::wstring RegistryString(HKEY key, const wchar_t* name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

std::wstring DeviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property)
{
    wchar_t buffer[512] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr,
                                           reinterpret_cast<BYTE*>(buffer), sizeof buffer - 2,
                                           nullptr))
        return {};
    return buffer;
}

// What SetupAPI tells of each present port, by port name: its description, marked as USB
// when the device hangs off the USB bus (the hardware id of a USB adapter starts with "USB\"
// or with its driver's own bus, such as "FTDIBUS\").
std::map<std::wstring, std::wstring> UsbDescriptions()
{
    std::map<std::wstring, std::wstring> found;
    const HDEVINFO devices =
        SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return found;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        const HKEY key =
            SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        const std::wstring port = RegistryString(key, L"PortName");
        RegCloseKey(key);
        const std::wstring hardware = DeviceProperty(devices, device, SPDRP_HARDWAREID);
        const bool usb = hardware.starts_with(L"USB\\") || hardware.starts_with(L"FTDIBUS\\");
        if (!port.empty() && usb)
            found[port] = DeviceProperty(devices, device, SPDRP_FRIENDLYNAME);
    }
    SetupDiDestroyDeviceInfoList(devices);
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

std::string PortNameFromPath(std::string_view devicePath)
{
    const std::size_t separator = devicePath.find_last_of("\\/");
    return std::string(separator == std::string_view::npos ? devicePath
                                                           : devicePath.substr(separator + 1));
}

} // namespace wirevane::platform
