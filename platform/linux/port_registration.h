#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace wirevane::platform {

// A simulator's announcement of its port in the ports folder (SimulatorPortsDir): a symbolic
// link NAME -> device path, which both lists the port and is the path to open (so the status
// text shows NAME), and beside it the file ".NAME.lock", which the simulator keeps locked for
// as long as it holds the device and which records its process and the device announced.
//
// A link whose lock nobody holds, or whose record names another device, is stale: the
// simulator that made it is gone and its pseudo-terminal may since have been given to any
// other program. Stale names are neither listed nor opened, and the next simulator takes them
// over. The name is baseName followed by the first number that no live simulator holds and
// /dev does not have ("wvsim0"). The folder is used only when it is private to this user.
// Removed when the object ends.
class PortRegistration {
public:
    explicit PortRegistration(std::filesystem::path devDir = "/dev");
    ~PortRegistration();
    PortRegistration(const PortRegistration&) = delete;
    PortRegistration& operator=(const PortRegistration&) = delete;

    // false with a message in error when the folder is not private, the name is one the
    // system's devices have, or the folder or the link cannot be made.
    bool Register(const std::filesystem::path& folder, std::string_view baseName,
                  const std::string& devicePath, std::string& error);
    // Withdraws the announcement; a simulator does this before it lets go of its device.
    void Remove();

    const std::filesystem::path& linkPath() const { return m_link; }

private:
    enum class Claim { Taken, Held, Failed };
    Claim ClaimName(const std::filesystem::path& folder, const std::string& name,
                    const std::string& devicePath, std::string& error);

    std::filesystem::path m_devDir;
    std::filesystem::path m_link;
    std::filesystem::path m_lock;
    int m_lockFd = -1;
};

// Who holds a live announcement: the simulator's process and the device it announced.
struct RegistrationHolder {
    pid_t process = 0;
    std::string device;

    bool operator==(const RegistrationHolder&) const = default;
};

// The holder of the announcement at link while it is live; nothing for a stale or unknown one.
std::optional<RegistrationHolder> LiveRegistration(const std::filesystem::path& link);

// Names that belong to the system's devices and are never taken from a ports folder: every
// "tty" name (ttyS0, ttyUSB0, ttyACM0, ... also while the adapter is unplugged) and whatever
// devDir holds.
bool IsSystemDeviceName(std::string_view name, const std::filesystem::path& devDir);

} // namespace wirevane::platform
