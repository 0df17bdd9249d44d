#include "platform/linux/terminal_node.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace wirevane::platform {

int RefuseNonTerminalNode(const std::filesystem::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno;
    if (!S_ISCHR(info.st_mode))
        return ENOTTY;
    const std::string device = "/sys/dev/char/" + std::to_string(major(info.st_rdev)) + ":" +
                               std::to_string(minor(info.st_rdev)) + "/subsystem";
    std::error_code unlisted;
    const std::filesystem::path subsystem = std::filesystem::read_symlink(device, unlisted);
    if (unlisted)
        return 0;
    return subsystem.filename() == "tty" ? 0 : ENOTTY;
}

} // namespace wirevane::platform
