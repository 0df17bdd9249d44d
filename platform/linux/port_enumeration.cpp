#include "platform/port_enumeration.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::platform {

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string LinkName(const fs::path& link)
{
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    return error ? std::string() : target.filename().string();
}

// ttyS entries exist for every possible legacy port; "type" 0 means no UART answered there.
bool HasNoUart(const fs::path& entry)
{
    std::ifstream typeFile(entry / "type");
    int type = -1;
    return typeFile >> type && type == 0;
}

bool IsCharacterDevice(const fs::path& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

fs::path SimulatorDir(const PortSources& sources)
{
    return sources.simulatorDir.empty() ? SimulatorPortsDir() : sources.simulatorDir;
}

void SortByName(std::vector<PortEntry>& ports)
{
    std::sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) {
        return PortNameLess(a.portName, b.portName);
    });
}

} // namespace

fs::path SimulatorPortsDir()
{
    if (const char* chosen = std::getenv("WIREVANE_PORTS_DIR"); chosen && *chosen)
        return chosen;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return fs::path(runtime) / "wirevane" / "ports";
    return fs::path("/tmp") / ("wirevane-ports-" + std::to_string(getuid()));
}

bool PortNameLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::size_t startA = i;
            const std::size_t startB = j;
            while (i < a.size() && isDigit(a[i]))
                ++i;
            while (j < b.size() && isDigit(b[j]))
                ++j;
            std::string_view numberA = a.substr(startA, i - startA);
            std::string_view numberB = b.substr(startB, j - startB);
            numberA.remove_prefix(std::min(numberA.find_first_not_of('0'), numberA.size()));
            numberB.remove_prefix(std::min(numberB.find_first_not_of('0'), numberB.size()));
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (numberA != numberB)
                return numberA < numberB;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j || (a.size() - i == b.size() - j && a < b);
}

std::vector<PortEntry> EnumeratePorts(const PortSources& sources)
{
    std::vector<PortEntry> ports;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(sources.sysClassTty, error)) {
        const fs::path device = entry.path() / "device";
        const std::string driver = LinkName(device / "driver");
        if (driver.empty())
            continue; // consoles, pseudo-terminals and other ttys without hardware
        const std::string name = entry.path().filename().string();
        if (name.starts_with("ttyS") && HasNoUart(entry.path()))
            continue;
        std::string deviceName = Upper(LinkName(device / "subsystem")) + "/" + driver;
        std::error_code noPath;
        const std::string hardwarePath = fs::canonical(device, noPath).string();
        if (deviceName.find("USB") == std::string::npos &&
            hardwarePath.find("/usb") != std::string::npos)
            deviceName += " USB";
        ports.push_back({name, deviceName});
    }
    SortByName(ports);

    std::vector<PortEntry> simulated;
    for (const fs::directory_entry& entry : fs::directory_iterator(SimulatorDir(sources), error)) {
        // A simulator that was killed leaves its announcement behind; its pty is gone.
        if (entry.is_symlink(error) && IsCharacterDevice(entry.path()))
            simulated.push_back({entry.path().filename().string(), "wirevane-sim"});
    }
    SortByName(simulated);
    ports.insert(ports.end(), simulated.begin(), simulated.end());
    return ports;
}

std::string PortDevicePath(std::string_view portName, const PortSources& sources)
{
    if (portName.find('/') != std::string_view::npos)
        return std::string(portName);
    const fs::path announced = SimulatorDir(sources) / std::string(portName);
    std::error_code error;
    if (fs::is_symlink(announced, error))
        return announced.string();
    return (sources.devDir / std::string(portName)).string();
}

std::string PortNameFromPath(std::string_view devicePath)
{
    const std::size_t slash = devicePath.find_last_of('/');
    return std::string(slash == std::string_view::npos ? devicePath : devicePath.substr(slash + 1));
}

} // namespace wirevane::platform
