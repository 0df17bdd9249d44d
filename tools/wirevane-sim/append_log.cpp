#include "tools/wirevane-sim/append_log.h"

#include "platform/linux/shared_folder_link.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::sim {

AppendLog::~AppendLog()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool AppendLog::Open(const std::string& path, std::string& message)
{
    auto refuse = [&](const std::string& reason) {
        message = "cannot write the log " + path + ": " + reason;
        return false;
    };
    if (const platform::FileError refused = platform::RefuseLinksOfOtherUsers(path); !refused.ok())
        return refuse(refused.message);
    // A FIFO's open waits for a reader that may never come, and the device would not start:
    // the open does not wait, and the log's writes do once it is open.
    m_fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    struct stat info {};
    if (m_fd < 0) {
        // A device node without its device says ENXIO too.
        const int error = errno;
        const bool fifo =
            error == ENXIO && stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
        return refuse(fifo ? "a FIFO no one reads" : std::strerror(error));
    }
    const platform::FileError refused = fstat(m_fd, &info) == 0
                                            ? platform::RefuseFilesOfOtherUsers(path, info)
                                            : platform::FileError::fromErrno(errno);
    if (!refused.ok()) {
        close(m_fd);
        m_fd = -1;
        return refuse(refused.message);
    }
    fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    m_path = path;
    return true;
}

void AppendLog::Write(std::string_view bytes)
{
    while (m_fd >= 0 && !bytes.empty()) {
        const ssize_t put = write(m_fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            std::fprintf(stderr, "wirevane-sim: the log %s stopped: %s\n", m_path.c_str(),
                         std::strerror(put < 0 ? errno : ENOSPC));
            close(m_fd);
            m_fd = -1;
            m_failed = true;
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
}

} // namespace wirevane::sim
