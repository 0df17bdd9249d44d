#include "support/sim_process.h"

#include "support/test_paths.h"

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace wirevane::test {

SimProcess::SimProcess(const std::vector<std::string>& args)
{
    const std::string program = toolPath("wirevane-sim").string();
    std::vector<std::string> argvStore{program};
    argvStore.insert(argvStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argvStore)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // The child must not inherit the test's blocked signals, or SIGTERM would not end it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    const int spawned =
        posix_spawn(&m_pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(out[1]);
    if (spawned != 0) {
        m_pid = -1;
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
