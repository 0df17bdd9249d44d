#include "platform/linux/usb_identity_sysfs.h"

#include <algorithm>
#include <fstream>

namespace wirevane::platform {

namespace fs = std::filesystem;

namespace {

std::string FirstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The tty's device links into the bus tree; the USB device is the first folder on the way up
// that carries the ids (the interface folders below it do not).
std::optional<UsbIdentity> IdentityOfTty(const fs::path& ttyEntry)
{
    std::error_code error;
    fs::path folder = fs::canonical(ttyEntry / "device", error);
    if (error)
        return std::nullopt;
    for (; !folder.empty() && folder != folder.root_path(); folder = folder.parent_path()) {
        if (fs::exists(folder / "idVendor", error) && fs::exists(folder / "idProduct", error)) {
            return UsbIdentity{FirstLine(folder / "idVendor"), FirstLine(folder / "idProduct"),
                               FirstLine(folder / "serial")};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<UsbIdentity> UsbIdentityOf(const std::string& devicePath, const PortSources& sources)
{
    std::error_code error;
    const fs::path device = fs::canonical(devicePath, error);
    if (error)
        return std::nullopt;
    return IdentityOfTty(sources.sysClassTty / device.filename());
}

std::vector<std::string> DevicesWithIdentity(const UsbIdentity& identity,
                                             const PortSources& sources)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(sources.sysClassTty, error)) {
        if (IdentityOfTty(entry.path()) == identity)
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end(), PortNameLess);
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::string& name : names)
        paths.push_back((sources.devDir / name).string());
    return paths;
}

std::optional<UsbIdentity> UsbIdentityOf(const std::string& devicePath)
{
    return UsbIdentityOf(devicePath, PortSources{});
}

std::vector<std::string> DevicesWithIdentity(const UsbIdentity& identity)
{
    return DevicesWithIdentity(identity, PortSources{});
}

} // namespace wirevane::platform
