#include "support/sim_process.h"

#include "support/test_paths.h"

#include <csignal>

namespace wirevane::test {

SimProcess::SimProcess(const std::vector<std::string>& args)
    : m_process(toolPath("wirevane-sim"), args),
      m_devicePath(m_process.FirstLine(std::chrono::seconds(10)).value_or(""))
{
}

SimProcess::~SimProcess()
{
    // A simulator that does not end on SIGTERM is killed by the child process's own end.
    Signal(SIGTERM);
    WaitForExit();
}

} // namespace wirevane::test
