#include "platform/linux/port_registration.h"

#include "platform/linux/private_folder.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::platform {

namespace fs = std::filesystem;

namespace {

fs::path LockPathOf(const fs::path& link)
{
    return link.parent_path() / ("." + link.filename().string() + ".lock");
}

struct flock WholeFile(short type)
{
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    return range;
}

// The record a lock file holds: "PID DEVICE\n".
std::string RecordText(const RegistrationHolder& holder)
{
    return std::to_string(holder.process) + " " + holder.device + "\n";
}

std::optional<RegistrationHolder> ParseRecord(std::string_view text)
{
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos || !text.ends_with('\n'))
        return std::nullopt;
    RegistrationHolder holder;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + space, holder.process);
    if (failure != std::errc() || end != text.data() + space || holder.process <= 0)
        return std::nullopt;
    holder.device = std::string(text.substr(space + 1, text.size() - space - 2));
    return holder;
}

bool IsAlive(pid_t process)
{
    return kill(process, 0) == 0 || errno == EPERM;
}

bool IsSameFile(int fd, const fs::path& path)
{
    struct stat open {};
    struct stat named {};
    return fstat(fd, &open) == 0 && lstat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

} // namespace

PortRegistration::PortRegistration(fs::path devDir) : m_devDir(std::move(devDir)) {}

PortRegistration::~PortRegistration()
{
    Remove();
}

bool PortRegistration::Register(const fs::path& folder, std::string_view baseName,
                                const std::string& devicePath, std::string& error)
{
    Remove();
    if (baseName.starts_with("tty")) {
        error = "the name " + std::string(baseName) + " belongs to the system's serial ports";
        return false;
    }
    if (const int made = MakePrivateFolders(folder)) {
        error = folder.string() + ": " + std::strerror(made);
        return false;
    }
    if (const std::string why = WhyNotPrivate(folder); !why.empty()) {
        error = folder.string() + ": " + why;
        return false;
    }
    for (int number = 0; number < 1000; ++number) {
        const std::string name = std::string(baseName) + std::to_string(number);
        if (IsSystemDeviceName(name, m_devDir))
            continue;
        switch (ClaimName(folder, name, devicePath, error)) {
        case Claim::Taken:
            return true;
        case Claim::Held:
            continue;
        case Claim::Failed:
            return false;
        }
    }
    error = folder.string() + ": no free port name";
    return false;
}

PortRegistration::Claim PortRegistration::ClaimName(const fs::path& folder, const std::string& name,
                                                    const std::string& devicePath,
                                                    std::string& error)
{
    const fs::path link = folder / name;
    const fs::path lock = LockPathOf(link);
    const int fd = open(lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = lock.string() + ": " + std::strerror(errno);
        return Claim::Failed;
    }
    // An open-file-description lock: it goes with the simulator however it ends, and a look
    // at it from this same process (as in tests) neither sees it as free nor drops it.
    struct flock whole = WholeFile(F_WRLCK);
    if (fcntl(fd, F_OFD_SETLK, &whole) != 0) {
        const int why = errno;
        close(fd);
        if (why == EAGAIN || why == EACCES)
            return Claim::Held;
        error = lock.string() + ": " + std::strerror(why);
        return Claim::Failed;
    }
    // A simulator that was withdrawing removed the file after it was opened here; the name
    // then belongs to whoever locks the file now there.
    if (!IsSameFile(fd, lock)) {
        close(fd);
        return Claim::Held;
    }
    // The old record must stop vouching for the old link before the link is replaced, or a
    // look in between would take the stale link for this simulator's.
    const RegistrationHolder holder{getpid(), devicePath};
    const std::string record = RecordText(holder);
    if (ftruncate(fd, 0) != 0 || (unlink(link.c_str()) != 0 && errno != ENOENT) ||
        pwrite(fd, record.data(), record.size(), 0) != static_cast<ssize_t>(record.size()) ||
        symlink(devicePath.c_str(), link.c_str()) != 0) {
        error = link.string() + ": " + std::strerror(errno);
        close(fd);
        return Claim::Failed;
    }
    m_link = link;
    m_lock = lock;
    m_lockFd = fd;
    return Claim::Taken;
}

void PortRegistration::Remove()
{
    if (m_lockFd < 0)
        return;
    unlink(m_link.c_str());
    unlink(m_lock.c_str());
    close(m_lockFd);
    m_lockFd = -1;
    m_link.clear();
    m_lock.clear();
}

std::optional<RegistrationHolder> LiveRegistration(const fs::path& link)
{
    // The link is read first: a record that matches it afterwards was written for it.
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error)
        return std::nullopt;
    const int fd = open(LockPathOf(link).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct flock probe = WholeFile(F_WRLCK);
    const bool held = fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    char text[4096];
    const ssize_t got = held ? pread(fd, text, sizeof text, 0) : -1;
    close(fd);
    if (got <= 0)
        return std::nullopt;
    std::optional<RegistrationHolder> holder =
        ParseRecord(std::string_view(text, static_cast<std::size_t>(got)));
    // The process check covers the moment a new simulator has locked a stale name but not yet
    // cleared the old record.
    if (!holder || holder->device != target.string() || !IsAlive(holder->process))
        return std::nullopt;
    return holder;
}

bool IsSystemDeviceName(std::string_view name, const fs::path& devDir)
{
    struct stat info {};
    return name.starts_with("tty") || lstat((devDir / std::string(name)).c_str(), &info) == 0;
}

} // namespace wirevane::platform
