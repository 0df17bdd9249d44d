#pragma once

#include "platform/file_error.h"
#include "platform/output_file.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace wirevane {

// A file written while the traffic runs. Writes are gathered and go to the file once the
// oldest gathered byte has waited the flush interval, when much has gathered, and at Close, so
// a program that is killed loses at most what came in the last interval (the owner calls
// FlushIfDue at least that often). The first write error closes the file and is kept: nothing
// more is written, and the owner says why.
class LogFile {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kFlushInterval{100};
    static constexpr std::size_t kFlushBytes = 64 * 1024;

    LogFile() = default;
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Opens the file to add to its end, or emptied.
    platform::FileError Open(const std::filesystem::path& path, bool append);
    bool IsOpen() const { return m_file.IsOpen(); }

    // False when this write or an earlier one failed.
    bool Write(std::span<const uint8_t> bytes, Clock::time_point now);
    bool FlushIfDue(Clock::time_point now);
    // Writes what is gathered and closes; the first error of the file's life, if any.
    platform::FileError Close();

    const std::optional<platform::FileError>& failure() const { return m_failure; }
    std::size_t pendingBytes() const { return m_pending.size(); }

private:
    bool Flush();

    platform::OutputFile m_file;
    std::vector<uint8_t> m_pending;
    Clock::time_point m_oldestPending;
    std::optional<platform::FileError> m_failure;
};

} // namespace wirevane
