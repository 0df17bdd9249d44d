#include "platform/output_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace wirevane::platform {

OutputFile::~OutputFile()
{
    Close();
}

FileError OutputFile::Open(const std::filesystem::path& path, bool append)
{
    Close();
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0)
        return FileError::fromErrno(errno);
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
