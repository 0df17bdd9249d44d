#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wirevane::platform {

// A simulator's announcement of its port: a symbolic link NAME -> device path in the ports
// folder (SimulatorPortsDir), which both lists the port and is the path to open, so the status
// text shows NAME. The name is baseName followed by the first free number ("wvsim0"); links
// left by a killed simulator are taken over. Removed when the object ends.
class PortRegistration {
public:
    PortRegistration() = default;
    ~PortRegistration();
    PortRegistration(const PortRegistration&) = delete;
    PortRegistration& operator=(const PortRegistration&) = delete;

    // false with a message in error when the folder or the link cannot be made.
    bool Register(const std::filesystem::path& folder, std::string_view baseName,
                  const std::string& devicePath, std::string& error);
    void Remove();

    const std::filesystem::path& linkPath() const { return m_link; }

private:
    std::filesystem::path m_link;
};

} // namespace wirevane::platform
