#include "support/lock_probe.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace wirevane::test {

bool IsLockHeld(const std::filesystem::path& lockFile)
{
    const int fd = open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
    return held;
}

} // namespace wirevane::test
