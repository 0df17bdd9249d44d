#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::test {

// One of the project's programs run as a child, its standard output and error collected as it
// runs. A child still running when the object goes away is killed, so a failing test leaves no
// process behind.
class ChildProcess {
public:
    // inChild, when given, runs in the child just before the program replaces it, to set up
    // what the program inherits (limits, rights).
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::function<void()>& inChild = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_pid > 0; }

    // Collects output until the standard output holds text; false at the deadline or when the
    // child ended without writing it.
    bool WaitForOutput(std::string_view text, std::chrono::milliseconds timeout);
    // The first line of standard output, once complete.
    std::optional<std::string> FirstLine(std::chrono::milliseconds timeout);

    // The exit status (128 + signal number when a signal ended it), or nothing when the child
    // was still running at the deadline.
    std::optional<int> Wait(std::chrono::milliseconds timeout);
    void Signal(int signalNumber);

    const std::string& out() const { return m_out; }
    const std::string& err() const { return m_err; }

private:
    // Reads what is available within the wait; false once both streams are closed.
    bool Collect(std::chrono::milliseconds wait);
    bool Reap(bool block);

    int m_pid = -1;
    int m_outFd = -1;
    int m_errFd = -1;
    std::optional<int> m_status;
    std::string m_out;
    std::string m_err;
};

} // namespace wirevane::test
