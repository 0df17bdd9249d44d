#include "platform/linux/private_folder.h"
#include "platform/single_instance.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::platform {

namespace {

using State = SingleInstanceLock::State;

SingleInstanceLock Unavailable(const std::filesystem::path& where, const std::string& why)
{
    return {State::Unavailable, where.string() + ": " + why, {}};
}

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

std::filesystem::path HomeFolder()
{
    if (const char* home = Variable("HOME"))
        return home;
    if (const passwd* entry = getpwuid(geteuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

} // namespace

SingleInstanceLock AcquireSingleInstanceLock(std::string_view name)
{
    std::filesystem::path folder;
    if (const char* runtime = Variable("XDG_RUNTIME_DIR");
        runtime && WhyNotPrivate(runtime).empty())
        folder = runtime;
    else if (const char* cache = Variable("XDG_CACHE_HOME"))
        folder = std::filesystem::path(cache) / "wirevane";
    else if (const std::filesystem::path home = HomeFolder(); !home.empty())
        folder = home / ".cache" / "wirevane";
    else
        return Unavailable("~/.cache/wirevane", "this user has no home folder");
    if (const int error = MakePrivateFolders(folder))
        return Unavailable(folder, std::strerror(error));
    if (const std::string why = WhyNotPrivate(folder); !why.empty())
        return Unavailable(folder, why);

    const std::filesystem::path path =
        folder / (std::string(name) + "." + std::to_string(geteuid()) + ".lock");
    const std::filesystem::path channel = folder / (std::string(name) + ".show");
    // The descriptor is kept open on purpose for the life of the process: closing it would
    // release the lock.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return Unavailable(path, std::strerror(errno));
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK)
            return {State::HeldByAnotherCopy, {}, channel};
        return Unavailable(path, std::strerror(error));
    }
    return {State::Held, {}, channel};
}

void AllowRunningCopyToComeForward() {}

} // namespace wirevane::platform
