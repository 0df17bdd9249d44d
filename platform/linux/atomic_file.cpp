#include "platform/atomic_file.h"

#include "platform/linux/dangling_link.h"
#include "platform/linux/not_regular_file.h"
#include "platform/linux/shared_folder_link.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/file.h>
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

// Far above any real settings file, and still small enough to hold in memory a few times over.
constexpr size_t kReadLimit = size_t{64} << 20;

FileError TooLargeToRead()
{
    return FileError::TooLarge("File too large: a settings file is never above 64 MiB");
}

// The file a save replaces. A rename over a symbolic link would replace the link, while the user
// meant the file it names.
FileError ResolveTarget(const std::filesystem::path& target, std::filesystem::path& path)
{
    path = target;
    if (FileError refused = RefuseLinksOfOtherUsers(target); !refused.ok()) {
        return refused;
    }
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return {};
    }
    std::error_code error;
    path = std::filesystem::canonical(target, error);
    if (!error) {
        return {};
    }
    if (error == std::errc::no_such_file_or_directory) {
        return LinkNamesNoFile();
    }
    return FileError::fromErrorCode(error);
}
// mkostemp's pattern for the target: "." + the target's name + "." + six letters or digits.
constexpr std::size_t kUniqueLength = 6;

std::string TemporaryPattern(const std::filesystem::path& path)
{
    return "." + path.filename().string() + "." + std::string(kUniqueLength, 'X');
}

bool IsTemporaryName(std::string_view name, std::string_view target)
{
    const std::string_view start = name.substr(0, target.size() + 2);
    if (name.size() != target.size() + 2 + kUniqueLength || start.front() != '.' ||
        start.substr(1, target.size()) != target || start.back() != '.') {
        return false;
    }
    return std::all_of(name.end() - kUniqueLength, name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// A running save's temporary is unlocked between its creation and its lock; one changed this
// recently is left for a later save to judge.
constexpr time_t kFreshSeconds = 10;

// A temporary file that a save left when it was killed before its rename. Only what such a save
// leaves qualifies: a regular file of this user's with no other name, not changed in the last
// seconds, which no running save holds (each holds a lock on its temporary until its rename).
// The type is judged from the name before anything is opened, as opening a device can act on it.
void RemoveIfStale(int folder, const std::string& name)
{
    struct stat named {};
    if (::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(named.st_mode) || named.st_uid != ::geteuid() || named.st_nlink != 1 ||
        named.st_mtime > ::time(nullptr) - kFreshSeconds) {
        return;
    }
    Descriptor fd(
        ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0 || opened.st_dev != named.st_dev ||
        opened.st_ino != named.st_ino || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        return;
    }
    // Still the same file under the name, now that it is ours to remove.
    struct stat again {};
    if (::fstatat(folder, name.c_str(), &again, AT_SYMLINK_NOFOLLOW) == 0 &&
        again.st_dev == opened.st_dev && again.st_ino == opened.st_ino) {
        ::unlinkat(folder, name.c_str(), 0);
    }
}

void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::string& target)
{
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const int listed = dir.get() < 0 ? -1 : ::dup(dir.get());
    DIR* listing = listed < 0 ? nullptr : ::fdopendir(listed);
    if (listing == nullptr) {
        if (listed >= 0) {
            ::close(listed);
        }
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing)) {
        if (IsTemporaryName(entry->d_name, target)) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(listing);
    for (const std::string& name : names) {
        RemoveIfStale(dir.get(), name);
    }
}

// A folder reads as EISDIR, as its open would fail; every other kind but a regular file says
// what it is.
FileError RefuseAllButRegular(const struct stat& info)
{
    if (S_ISDIR(info.st_mode)) {
        return FileError::fromErrno(EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        return NotARegularFile(info);
    }
    return {};
}

// What a replacement learns of its target before it writes anything.
struct Replacement {
    std::filesystem::path path; // the file itself, a link followed
    std::filesystem::path folder;
    struct stat old {};
    bool replacing = false;
};

// Everything that refuses a target without writing: a link to nothing, anything but a regular
// file, a file its mode bits keep this user from writing.
FileError PlanReplacement(const std::filesystem::path& target, Replacement& plan)
{
    if (FileError error = ResolveTarget(target, plan.path); !error.ok()) {
        return error;
    }
    plan.replacing = ::stat(plan.path.c_str(), &plan.old) == 0;
    if (plan.replacing && !S_ISREG(plan.old.st_mode)) {
        return NotARegularFile(plan.old);
    }
    if (plan.replacing) {
        if (FileError refused = RefuseFilesOfOtherUsers(plan.path, plan.old); !refused.ok()) {
            return refused;
        }
    }
    if (plan.replacing && !ModeLetsUserWrite(plan.old)) {
        return FileError::fromErrno(EACCES);
    }
    plan.folder = plan.path.parent_path();
    if (plan.folder.empty()) {
        plan.folder = ".";
    }
    return {};
}

// The temporary file beside the target, open for writing; -1 with errno set when the folder
// takes no new file.
int CreateTemporary(const Replacement& plan, std::filesystem::path& temporary)
{
    std::string pattern = (plan.folder / TemporaryPattern(plan.path)).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) {
        temporary = pattern;
    }
    return fd;
}

} // namespace

FileError ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    // What the name is, before anything is opened: opening has effects of its own. It releases
    // a writer waiting at a FIFO, which then dies of its first write when the FIFO is closed
    // again, and it raises a serial port's DTR and RTS, which resets many a board.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (FileError refused = RefuseAllButRegular(info); !refused.ok()) {
            return refused;
        }
    }
    // Without O_NONBLOCK the open of a FIFO waits for a writer that may never come; the type is
    // then taken from the descriptor itself, so a name swapped after the look cannot fool it.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        return FileError::fromErrno(errno);
    }
    if (::fstat(fd.get(), &info) != 0) {
        return FileError::fromErrno(errno);
    }
    if (FileError refused = RefuseAllButRegular(info); !refused.ok()) {
        return refused;
    }
    if (info.st_size > static_cast<off_t>(kReadLimit)) {
        return TooLargeToRead();
    }
    // One allocation of the size the file has now; a file that grows meanwhile is read on to the
    // limit and no further.
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t filled = 0;
    while (true) {
        if (filled == bytes.size()) {
            if (bytes.size() > kReadLimit) {
                bytes.clear();
                return TooLargeToRead();
            }
            bytes.resize(std::min(kReadLimit + 1, bytes.size() + 65536));
        }
        ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            bytes.clear();
            return FileError::fromErrno(error);
        }
        if (got == 0) {
            bytes.resize(filled);
            return {};
        }
        filled += static_cast<size_t>(got);
    }
}

FileError ReplaceFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes,
                                const BeforeReplaceHook& beforeReplace)
{
    Replacement plan;
    if (FileError error = PlanReplacement(target, plan); !error.ok()) {
        return error;
    }
    std::filesystem::path temporary;
    Descriptor fd(CreateTemporary(plan, temporary));
    if (fd.get() < 0) {
        return FileError::fromErrno(errno);
    }
    auto fail = [&temporary](FileError error) {
        ::unlink(temporary.c_str());
        return error;
    };
    // Held until the rename, through a second descriptor of the same open file, so that a save
    // of the same file by another process never takes this temporary for a stale one.
    ::flock(fd.get(), LOCK_EX);
    Descriptor held(::dup(fd.get()));

    // mkostemp creates the file for its owner only; a settings file keeps the owner, group and
    // permissions of the one it replaces, or gets the usual ones for a new file. Only root may
    // give a file away and only a member may hand it to a group, so what cannot be kept is
    // left as the user's own: the file is saved all the same. The owner is set first because
    // a change of owner clears the set-id bits.
    mode_t mode = 0666;
    if (plan.replacing) {
        mode = plan.old.st_mode & 07777;
        KeepOwnership(fd.get(), plan.old);
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
    if (::rename(temporary.c_str(), plan.path.c_str()) != 0) {
        return fail(FileError::fromErrno(errno));
    }
    syncFolder(plan.folder);
    RemoveStaleTemporaries(plan.folder, plan.path.filename().string());
    return {};
}

FileError CheckReplaceable(const std::filesystem::path& target)
{
    Replacement plan;
    if (FileError error = PlanReplacement(target, plan); !error.ok()) {
        return error;
    }
    std::filesystem::path temporary;
    const int fd = CreateTemporary(plan, temporary);
    if (fd < 0) {
        return FileError::fromErrno(errno);
    }
    ::close(fd);
    ::unlink(temporary.c_str());
    return {};
}

} // namespace wirevane::platform
