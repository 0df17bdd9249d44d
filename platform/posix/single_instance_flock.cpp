#include "platform/single_instance.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace wirevane::platform {

namespace {

std::filesystem::path LockFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0' && std::filesystem::is_directory(runtime))
        return runtime;
    return "/tmp";
}

} // namespace

bool AcquireSingleInstanceLock(std::string_view name)
{
    // Per user: the lock file carries the user id when it lives in the shared /tmp, so another
    // user's copy neither blocks this one nor is blocked by it.
    std::string fileName(name);
    fileName += "." + std::to_string(getuid()) + ".lock";
    const std::filesystem::path path = LockFolder() / fileName;
    // The descriptor is kept open on purpose for the life of the process: closing it would
    // release the lock.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    return true;
}

} // namespace wirevane::platform
