#include "platform/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace wirevane::platform {
namespace {

// Closes the descriptor at scope end unless released.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    // Closes now and reports the error of the close, which can be the first sign of a full disk.
    int close()
    {
        int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

int writeAll(int fd, std::span<const uint8_t> bytes)
{
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return 0;
}

// The rename is only durable once the folder entry itself reaches the disk. A failure here is not
// reported: the new file is already in place and complete.
void syncFolder(const std::filesystem::path& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Whether the mode bits let this process's user write the file: the owner's bits for its owner,
// the group's for a member of its group, the others' for everyone else. Decided from the bits
// and not by access(2), which lets root write anything: a file marked read-only stays so for
// every user, as an editor keeps it, and the rename would replace it regardless of its bits.
bool ModeLetsUserWrite(const struct stat& info)
{
    if (info.st_uid == ::geteuid()) {
        return (info.st_mode & S_IWUSR) != 0;
    }
    bool member = info.st_gid == ::getegid();
    if (!member) {
        const int count = ::getgroups(0, nullptr);
        std::vector<gid_t> groups(static_cast<size_t>(std::max(count, 0)));
        if (count > 0 && ::getgroups(count, groups.data()) == count) {
            member = std::find(groups.begin(), groups.end(), info.st_gid) != groups.end();
        }
    }
    return (info.st_mode & (member ? S_IWGRP : S_IWOTH)) != 0;
}

// Gives the new file the old one's owner and group, or at least its group; false when neither
// could be kept.
bool KeepOwnership(int fd, const struct stat& old)
{
    return ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
           ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
}

} // namespace

FileError ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return FileError::fromErrno(errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return FileError::fromErrno(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return FileError::fromErrno(EISDIR);
    }
    uint8_t chunk[65536];
    while (true) {
        ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            bytes.clear();
            return FileError::fromErrno(errno);
        }
        if (got == 0) {
            return {};
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
}

FileError ReplaceFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes,
                                const BeforeReplaceHook& beforeReplace)
{
    // A rename over a symbolic link would replace the link; the user meant the file it names.
    std::error_code ignored;
    std::filesystem::path path = target;
    if (std::filesystem::is_symlink(target, ignored)) {
        if (auto resolved = std::filesystem::canonical(target, ignored); !ignored) {
            path = resolved;
        }
    }
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && !ModeLetsUserWrite(old)) {
        return FileError::fromErrno(EACCES);
    }
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    Descriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return FileError::fromErrno(errno);
    }
    const std::filesystem::path temporary = pattern;
    auto fail = [&temporary](FileError error) {
        ::unlink(temporary.c_str());
        return error;
    };

    // mkostemp creates the file for its owner only; a settings file keeps the owner, group and
    // permissions of the one it replaces, or gets the usual ones for a new file. Only root may
    // give a file away and only a member may hand it to a group, so what cannot be kept is
    // left as the user's own: the file is saved all the same. The owner is set first because
    // a change of owner clears the set-id bits.
    mode_t mode = 0666;
    if (replacing) {
        mode = old.st_mode & 07777;
        KeepOwnership(fd.get(), old);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) {
        return fail(FileError::fromErrno(errno));
    }
    if (int error = writeAll(fd.get(), bytes); error != 0) {
        return fail(FileError::fromErrno(error));
    }
    if (::fsync(fd.get()) != 0) {
        return fail(FileError::fromErrno(errno));
    }
    if (int error = fd.close(); error != 0) {
        return fail(FileError::fromErrno(error));
    }
    if (beforeReplace) {
        if (FileError error = beforeReplace(temporary); !error.ok()) {
            return fail(error);
        }
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return fail(FileError::fromErrno(errno));
    }
    syncFolder(folder);
    return {};
}

} // namespace wirevane::platform
