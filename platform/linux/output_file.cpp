#include "platform/output_file.h"

#include "platform/linux/dangling_link.h"
#include "platform/linux/not_regular_file.h"
#include "platform/linux/shared_folder_link.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::platform {

OutputFile::~OutputFile()
{
    Close();
}

FileError OutputFile::Open(const std::filesystem::path& path, bool append)
{
    Close();
    // A FIFO without a reader would hold the open for ever, and emptying a device is no log:
    // what is there must be a regular file. The open does not wait, and what it opened is
    // checked again, since the path may have changed between the look and the open.
    if (FileError refused = RefuseLinksOfOtherUsers(path); !refused.ok())
        return refused;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return NotARegularFile(info);
        // Looked at before the open, which would empty the file when it does not append.
        if (FileError refused = RefuseFilesOfOtherUsers(path, info); !refused.ok())
            return refused;
    }
    // A path that was no link when looked at is not followed if a link takes its place before
    // the open: that link was not looked at.
    struct stat named {};
    const bool throughLink = ::lstat(path.c_str(), &named) == 0 && S_ISLNK(named.st_mode);
    const int flags = O_WRONLY | O_CLOEXEC | O_NONBLOCK | (append ? O_APPEND : O_TRUNC) |
                      (throughLink ? 0 : O_NOFOLLOW);
    // A file that is there is opened through any link to it; a new one is made only where the
    // path itself names nothing, so never through a link (O_EXCL). One that appears between
    // the two opens is opened on the next turn.
    int fd = -1;
    for (int turn = 0; fd < 0 && turn < 2; ++turn) {
        fd = ::open(path.c_str(), flags);
        if (fd >= 0 || errno != ENOENT)
            break;
        fd = ::open(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
        if (fd < 0 && errno == EEXIST && ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
            return LinkNamesNoFile();
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return FileError::fromErrno(errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        FileError error = NotARegularFile(info);
        ::close(fd);
        return error;
    }
    if (FileError refused = RefuseFilesOfOtherUsers(path, info); !refused.ok()) {
        ::close(fd);
        return refused;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_handle = fd;
    return {};
}

FileError OutputFile::WriteAll(std::span<const uint8_t> bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t result =
            ::write(static_cast<int>(m_handle), bytes.data() + written, bytes.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0)
            return FileError::fromErrno(result < 0 ? errno : ENOSPC);
        written += static_cast<std::size_t>(result);
    }
    return {};
}

FileError OutputFile::Close()
{
    if (!IsOpen())
        return {};
    const int result = ::close(static_cast<int>(m_handle));
    m_handle = kClosed;
    return result == 0 ? FileError{} : FileError::fromErrno(errno);
}

} // namespace wirevane::platform
