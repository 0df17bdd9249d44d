#include "support/child_process.h"

#include "support/tied_exec.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace wirevane::test {

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const std::function<void()>& inChild)
{
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return;
    }
    std::vector<std::string> storage{program.string()};
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(storage.size() + 1);
    for (std::string& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        if (inChild)
            inChild();
        ExecTiedToParent(parent, argv.data());
    }
    close(out[1]);
    close(err[1]);
    m_outFd = out[0];
    m_errFd = err[0];
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0 && !m_status) {
        kill(m_pid, SIGKILL);
        Reap(true);
    }
    if (m_outFd >= 0)
        close(m_outFd);
    if (m_errFd >= 0)
        close(m_errFd);
}

bool ChildProcess::Collect(std::chrono::milliseconds wait)
{
    pollfd fds[2] = {{m_outFd, POLLIN, 0}, {m_errFd, POLLIN, 0}};
    if (m_outFd < 0 && m_errFd < 0)
        return false;
    if (poll(fds, 2, static_cast<int>(wait.count())) <= 0)
        return true;
    char buffer[4096];
    int* const fdsToRead[2] = {&m_outFd, &m_errFd};
    std::string* const sinks[2] = {&m_out, &m_err};
    for (int i = 0; i < 2; ++i) {
        if (fds[i].revents == 0)
            continue;
        const ssize_t got = read(*fdsToRead[i], buffer, sizeof buffer);
        if (got > 0) {
            sinks[i]->append(buffer, static_cast<std::size_t>(got));
        } else {
            close(*fdsToRead[i]);
            *fdsToRead[i] = -1;
        }
    }
    return m_outFd >= 0 || m_errFd >= 0;
}

bool ChildProcess::WaitForOutput(std::string_view text, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (m_out.find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= deadline || !Collect(std::chrono::milliseconds(50)))
            return m_out.find(text) != std::string::npos;
    }
    return true;
}

std::optional<std::string> ChildProcess::FirstLine(std::chrono::milliseconds timeout)
{
    if (!WaitForOutput("\n", timeout))
        return std::nullopt;
    return m_out.substr(0, m_out.find('\n'));
}

bool ChildProcess::Reap(bool block)
{
    int status = 0;
    if (waitpid(m_pid, &status, block ? 0 : WNOHANG) != m_pid)
        return false;
    m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout)
{
    if (m_pid <= 0)
        return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_status) {
        // Draining the pipes matters: a child blocked on a full pipe would never end.
        const bool open = Collect(std::chrono::milliseconds(20));
        if (Reap(false))
            break;
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        if (!open)
            usleep(2000);
    }
    // What the child wrote just before it ended; bounded in case something else holds a pipe.
    const auto drainDeadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (Collect(std::chrono::milliseconds(10)) &&
           std::chrono::steady_clock::now() < drainDeadline) {
    }
    return m_status;
}

void ChildProcess::Signal(int signalNumber)
{
    if (m_pid > 0 && !m_status)
        kill(m_pid, signalNumber);
}

} // namespace wirevane::test
