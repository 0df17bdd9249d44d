#include "terminal/traffic/log_file.h"

namespace wirevane {

LogFile::~LogFile()
{
    Close();
}

platform::FileError LogFile::Open(const std::filesystem::path& path, bool append)
{
    Close();
    m_failure.reset();
    return m_file.Open(path, append);
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
    const platform::FileError error = m_file.WriteAll(m_pending);
    m_pending.clear();
    if (error.ok())
        return true;
    m_failure = error;
    m_file.Close();
    return false;
}

platform::FileError LogFile::Close()
{
    if (IsOpen()) {
        Flush();
        if (IsOpen()) {
            if (const platform::FileError error = m_file.Close(); !error.ok() && !m_failure)
                m_failure = error;
        }
    }
    return m_failure.value_or(platform::FileError{});
}

} // namespace wirevane
