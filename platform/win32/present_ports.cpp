#include "platform/win32/present_ports.h"

// After windows.h, which they need.
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

} // namespace

std::vector<PresentPort> PresentPorts()
{
    std::vector<PresentPort> found;
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
        std::wstring port = RegistryString(key, L"PortName");
        RegCloseKey(key);
        if (port.empty())
            continue;
        found.push_back({std::move(port), DeviceProperty(devices, device, SPDRP_HARDWAREID),
                         DeviceProperty(devices, device, SPDRP_FRIENDLYNAME), device.DevInst});
    }
    SetupDiDestroyDeviceInfoList(devices);
    return found;
}

} // namespace wirevane::platform
