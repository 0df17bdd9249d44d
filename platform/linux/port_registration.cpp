#include "platform/port_registration.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::platform {

namespace fs = std::filesystem;

PortRegistration::~PortRegistration()
{
    Remove();
}

bool PortRegistration::Register(const fs::path& folder, std::string_view baseName,
                                const std::string& devicePath, std::string& error)
{
    Remove();
    std::error_code made;
    fs::create_directories(folder, made);
    if (made) {
        error = folder.string() + ": " + made.message();
        return false;
    }
    for (int number = 0; number < 1000; ++number) {
        const fs::path link = folder / (std::string(baseName) + std::to_string(number));
        // symlink fails when the name exists, so two simulators never share a name.
        if (symlink(devicePath.c_str(), link.c_str()) == 0) {
            m_link = link;
            return true;
        }
        if (errno != EEXIST) {
            error = link.string() + ": " + std::strerror(errno);
            return false;
        }
        struct stat target {};
        if (stat(link.c_str(), &target) != 0 && unlink(link.c_str()) == 0 &&
            symlink(devicePath.c_str(), link.c_str()) == 0) {
            m_link = link;
            return true;
        }
    }
    error = folder.string() + ": no free port name";
    return false;
}

void PortRegistration::Remove()
{
    if (!m_link.empty())
        unlink(m_link.c_str());
    m_link.clear();
}

} // namespace wirevane::platform
