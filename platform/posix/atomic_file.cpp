#include "platform/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

} // namespace

FileError readWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes)
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

FileError replaceFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes,
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

    // mkostemp creates the file for its owner only; a settings file keeps the permissions of the
    // one it replaces, or gets the usual ones for a new file.
    struct stat old {};
    mode_t mode = 0666;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
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
