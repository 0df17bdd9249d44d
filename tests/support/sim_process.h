#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace wirevane::test {

// The device simulator (tools/wirevane-sim) run as a child process. The constructor starts it
// with the given arguments and waits (up to ten seconds) for the device path it prints first;
// the destructor stops it with SIGTERM and reaps it.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool started() const { return !m_devicePath.empty(); }
    const std::string& devicePath() const { return m_devicePath; }
    std::u16string devicePathU16() const;

    void Signal(int signalNumber);
    // The exit status once the process ended within the deadline, otherwise -1.
    int WaitForExit(std::chrono::milliseconds deadline = std::chrono::seconds(10));

private:
    pid_t m_pid = -1;
    int m_exitStatus = -1;
    std::string m_devicePath;
};

} // namespace wirevane::test
