#include "platform/linux/port_registration.h"
#include "platform/linux/port_sources.h"
#include "platform/linux/private_folder.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

fs::path SimulatorDir(const PortSources& sources)
{
    return sources.simulatorDir.empty() ? SimulatorPortsDir() : sources.simulatorDir;
}

// The ports folder when only this user can have put links there; otherwise no simulator
// port is taken from it.
std::optional<fs::path> TrustedSimulatorDir(const PortSources& sources)
{
    fs::path folder = SimulatorDir(sources);
    if (!WhyNotPrivate(folder).empty())
        return std::nullopt;
    return folder;
}

// Unix 98 pseudo-terminal slaves; the system gives a freed number to whoever asks next.
bool IsPseudoTerminal(const fs::path& path)
{
    constexpr unsigned kFirstPtyMajor = 136;
    constexpr unsigned kLastPtyMajor = 143;
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode) &&
           major(info.st_rdev) >= kFirstPtyMajor && major(info.st_rdev) <= kLastPtyMajor;
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
    const std::optional<fs::path> folder = TrustedSimulatorDir(sources);
    for (const fs::directory_entry& entry :
         fs::directory_iterator(folder.value_or(fs::path()), error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_symlink(error) && !IsSystemDeviceName(name, sources.devDir) &&
            LiveRegistration(entry.path()))
            simulated.push_back({name, "wirevane-sim"});
    }
    SortByName(simulated);
    ports.insert(ports.end(), simulated.begin(), simulated.end());
    return ports;
}

std::vector<PortEntry> EnumeratePorts()
{
    return EnumeratePorts(PortSources{});
}

std::string PortDevicePath(std::string_view portName)
{
    return PortDevicePath(portName, PortSources{});
}

std::string PortDevicePath(std::string_view portName, const PortSources& sources)
{
    if (portName.find('/') != std::string_view::npos) {
        // A link in the simulators' folder, named by its path as a file saved after connecting
        // holds it, is a port only while its simulator runs: a dead one's pseudo-terminal may
        // already be another program's. Such a name goes where its bare name would.
        const fs::path path(portName);
        std::error_code error;
        if (fs::equivalent(path.parent_path(), SimulatorDir(sources), error) &&
            !(TrustedSimulatorDir(sources) && LiveRegistration(path)))
            return (sources.devDir / path.filename()).string();
        return std::string(portName);
    }
    const std::string name(portName);
    std::string system = (sources.devDir / name).string();
    if (IsSystemDeviceName(name, sources.devDir))
        return system;
    if (const std::optional<fs::path> folder = TrustedSimulatorDir(sources);
        folder && LiveRegistration(*folder / name))
        return (*folder / name).string();
    return system;
}

bool MayNamePort(std::string_view /*devicePath*/)
{
    return true;
}

std::optional<std::string> ReopenableDevice(std::string_view devicePath)
{
    return ReopenableDevice(devicePath, PortSources{});
}

std::optional<std::string> ReopenableDevice(std::string_view devicePath, const PortSources& sources)
{
    const fs::path path(devicePath);
    std::error_code error;
    if (fs::equivalent(path.parent_path(), SimulatorDir(sources), error)) {
        const std::optional<RegistrationHolder> holder =
            TrustedSimulatorDir(sources) ? LiveRegistration(path) : std::nullopt;
        if (!holder)
            return std::nullopt;
        return std::to_string(holder->process) + " " + holder->device;
    }
    if (IsPseudoTerminal(path))
        return std::nullopt;
    const fs::path device = fs::canonical(path, error);
    if (error)
        return std::nullopt;
    return device.string();
}

std::string PortNameFromPath(std::string_view devicePath)
{
    const std::size_t slash = devicePath.find_last_of('/');
    return std::string(slash == std::string_view::npos ? devicePath : devicePath.substr(slash + 1));
}

} // namespace wirevane::platform
