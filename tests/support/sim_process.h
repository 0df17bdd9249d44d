#pragma once

#include "support/child_process.h"

#include <chrono>
#include <string>
#include <vector>

namespace wirevane::test {

// The device simulator (tools/wirevane-sim) run as a child process. The constructor starts it
// with the given arguments and waits (up to ten seconds) for the device path it prints first;
// the destructor stops it with SIGTERM, so that it withdraws its announcement, and reaps it.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool started() const { return !m_devicePath.empty(); }
    const std::string& devicePath() const { return m_devicePath; }
    std::u16string devicePathU16() const { return {m_devicePath.begin(), m_devicePath.end()}; }

    void Signal(int signalNumber) { m_process.Signal(signalNumber); }
    // The exit status once the process ended within the deadline, otherwise -1.
    int WaitForExit(std::chrono::milliseconds deadline = std::chrono::seconds(10))
    {
        return m_process.Wait(deadline).value_or(-1);
    }

private:
    ChildProcess m_process;
    std::string m_devicePath;
};

} // namespace wirevane::test
