#include "support/sim_process.h"

#include "support/test_paths.h"
#include "support/tied_exec.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace wirevane::test {

SimProcess::SimProcess(const std::vector<std::string>& args)
{
    const std::string program = toolPath("wirevane-sim").string();
    std::vector<std::string> argvStore{program};
    argvStore.insert(argvStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(argvStore.size() + 1);
    for (std::string& arg : argvStore)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return;
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        ExecTiedToParent(parent, argv.data());
    }
    close(out[1]);
    if (m_pid < 0) {
        close(out[0]);
        return;
    }
    std::string line;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        pollfd fd{out[0], POLLIN, 0};
        if (poll(&fd, 1, 100) <= 0)
            continue;
        char c = 0;
        if (read(out[0], &c, 1) != 1)
            break;
        if (c == '\n') {
            m_devicePath = line;
            break;
        }
        line.push_back(c);
    }
    close(out[0]);
}

SimProcess::~SimProcess()
{
    if (m_pid > 0 && m_exitStatus < 0) {
        kill(m_pid, SIGTERM);
        if (WaitForExit() < 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
}

std::u16string SimProcess::devicePathU16() const
{
    return std::u16string(m_devicePath.begin(), m_devicePath.end());
}

void SimProcess::Signal(int signalNumber)
{
    if (m_pid > 0)
        kill(m_pid, signalNumber);
}

int SimProcess::WaitForExit(std::chrono::milliseconds deadline)
{
    if (m_exitStatus >= 0 || m_pid <= 0)
        return m_exitStatus;
    const auto end = std::chrono::steady_clock::now() + deadline;
    do {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return m_exitStatus;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < end);
    return -1;
}

} // namespace wirevane::test
