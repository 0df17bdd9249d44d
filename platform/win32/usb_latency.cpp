#include "platform/usb_latency.h"

#include <cwctype>
#include <string>
#include <windows.h>

namespace wirevane::platform {

namespace {

// FTDI's driver keeps each port's settings under its own bus in the device tree:
// FTDIBUS\<device>\<instance>\Device Parameters, with the port's name and its LatencyTimer.
constexpr const wchar_t* kFtdiBus = L"SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS";

bool SameName(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i]))
            return false;
    }
    return true;
}

std::wstring SubKeyName(HKEY key, DWORD index)
{
    wchar_t name[256] = {};
    DWORD length = 256;
    if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return {};
    return std::wstring(name, length);
}

// The timer of the Device Parameters below instancePath when they name portName.
std::optional<uint32_t> TimerOfPort(HKEY bus, const std::wstring& instancePath,
                                    std::wstring_view portName)
{
    const std::wstring parameters = instancePath + L"\\Device Parameters";
    wchar_t name[64] = {};
    DWORD size = sizeof name;
    if (RegGetValueW(bus, parameters.c_str(), L"PortName", RRF_RT_REG_SZ, nullptr, name, &size) !=
            ERROR_SUCCESS ||
        !SameName(name, portName))
        return std::nullopt;
    DWORD timer = 0;
    size = sizeof timer;
    if (RegGetValueW(bus, parameters.c_str(), L"LatencyTimer", RRF_RT_REG_DWORD, nullptr, &timer,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return static_cast<uint32_t>(timer);
}

} // namespace

std::optional<uint32_t> UsbLatencyTimerMs(const std::filesystem::path& devicePath)
{
    // A port's path is \\.\COMn; the registry knows it as COMn.
    const std::wstring path = devicePath.wstring();
    const std::wstring_view portName = std::wstring_view(path).substr(path.find_last_of(L'\\') + 1);
    HKEY bus = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFtdiBus, 0, KEY_READ, &bus) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<uint32_t> timer;
    for (DWORD d = 0; !timer; ++d) {
        const std::wstring device = SubKeyName(bus, d);
        if (device.empty())
            break;
        HKEY deviceKey = nullptr;
        if (RegOpenKeyExW(bus, device.c_str(), 0, KEY_READ, &deviceKey) != ERROR_SUCCESS)
            continue;
        for (DWORD i = 0; !timer; ++i) {
            const std::wstring instance = SubKeyName(deviceKey, i);
            if (instance.empty())
                break;
            timer = TimerOfPort(bus, device + L"\\" + instance, portName);
        }
        RegCloseKey(deviceKey);
    }
    RegCloseKey(bus);
    return timer;
}

} // namespace wirevane::platform
