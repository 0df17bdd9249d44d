#include "terminal/traffic/log_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace wirevane {

LogFile::~LogFile()
{
    Close();
}

platform::FileError LogFile::Open(const std::filesystem::path& path, bool append)
{
    Close();
    m_failure.reset();
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    m_fd = ::open(path.c_str(), flags, 0666);
    if (m_fd < 0)
        return platform::FileError::fromErrno(errno);
    return {};
}

bool LogFile::Write(std::span<const uint8_t> bytes, Clock::time_point now)
{
    if (!IsOpen())
        return false;
    if (bytes.empty())
        return true;
    if (m_pending.empty())
        m_oldestPending = now;
    m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
    if (m_pending.size() >= kFlushBytes)
        return Flush();
    return FlushIfDue(now);
}

bool LogFile::FlushIfDue(Clock::time_point now)
{
    if (!IsOpen())
        return false;
    if (m_pending.empty() || now - m_oldestPending < kFlushInterval)
        return true;
    return Flush();
}

bool LogFile::Flush()
{
    std::size_t written = 0;
    while (written < m_pending.size()) {
        const ssize_t result =
            ::write(m_fd, m_pending.data() + written, m_pending.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0) {
            // A write that takes nothing without an error number is a full device too.
            m_failure = platform::FileError::fromErrno(result < 0 ? errno : ENOSPC);
            ::close(m_fd);
            m_fd = -1;
            m_pending.clear();
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    m_pending.clear();
    return true;
}

platform::FileError LogFile::Close()
{
    if (IsOpen()) {
        Flush();
        if (IsOpen()) {
            if (::close(m_fd) != 0 && !m_failure)
                m_failure = platform::FileError::fromErrno(errno);
            m_fd = -1;
        }
    }
    return m_failure.value_or(platform::FileError{});
}

} // namespace wirevane
