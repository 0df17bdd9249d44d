#pragma once

#include <string>
#include <string_view>

namespace wirevane::sim {

// A file the device adds what it received to. Each write goes to the system at once. The first
// that fails is said on standard error and ends this log; the device's exit status then says
// so, since a log that stopped is no record of what came.
class AppendLog {
public:
    AppendLog() = default;
    ~AppendLog();
    AppendLog(const AppendLog&) = delete;
    AppendLog& operator=(const AppendLog&) = delete;

    // Made when it is not there. On failure returns false and sets message.
    bool Open(const std::string& path, std::string& message);
    void Write(std::string_view bytes);
    bool IsOpen() const { return m_fd >= 0; }
    bool failed() const { return m_failed; }

private:
    int m_fd = -1;
    std::string m_path;
    bool m_failed = false;
};

} // namespace wirevane::sim
