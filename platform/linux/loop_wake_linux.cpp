#include "platform/loop_wake.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace wirevane::platform {

namespace {

// What the signal handler may touch: async-signal-safe writes only.
std::atomic<int> g_interruptFd{-1};
std::atomic<bool>* g_interrupted = nullptr;

void Signal(int fd)
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = write(fd, &one, sizeof one);
}

void OnInterrupt(int)
{
    const int saved = errno;
    if (g_interrupted != nullptr)
        g_interrupted->store(true);
    if (const int fd = g_interruptFd.load(); fd >= 0)
        Signal(fd);
    errno = saved;
}

void Install(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A closed terminal or a dropped ssh session hangs up: the run ends as on Ctrl-C, with
    // what it ran so far written.
    for (const int ending : {SIGINT, SIGTERM, SIGHUP})
        sigaction(ending, &action, nullptr);
}

} // namespace

struct LoopWake::Native {
    int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    bool watching = false;
};

LoopWake::LoopWake() : m_native(std::make_unique<Native>()) {}

LoopWake::~LoopWake()
{
    UnwatchInterrupts();
    if (m_native->fd >= 0)
        close(m_native->fd);
}

bool LoopWake::ok() const
{
    return m_native->fd >= 0;
}

void LoopWake::Wake()
{
    Signal(m_native->fd);
}

// ppoll and not poll: the step timer's periods count to the microsecond, and poll's timeout
// is whole milliseconds.
bool LoopWake::WatchesDescriptors()
{
    return true;
}

bool LoopWake::Wait(std::optional<std::chrono::nanoseconds> timeout, int readable)
{
    pollfd fds[2] = {{m_native->fd, POLLIN, 0}, {readable, POLLIN, 0}};
    timespec limit{};
    if (timeout) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(*timeout);
        limit.tv_sec = static_cast<time_t>(seconds.count());
        limit.tv_nsec = static_cast<long>((*timeout - seconds).count());
    }
    if (ppoll(fds, readable >= 0 ? 2 : 1, timeout ? &limit : nullptr, nullptr) <= 0)
        return false;
    if (fds[0].revents & POLLIN) {
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t ignored = read(m_native->fd, &count, sizeof count);
    }
    return readable >= 0 && fds[1].revents != 0;
}

bool LoopWake::WatchInterrupts(std::atomic<bool>& interrupted)
{
    if (!ok())
        return false;
    g_interrupted = &interrupted;
    g_interruptFd = m_native->fd;
    Install(OnInterrupt);
    m_native->watching = true;
    return true;
}

void LoopWake::UnwatchInterrupts()
{
    if (!m_native->watching)
        return;
    Install(SIG_DFL);
    g_interruptFd = -1;
    g_interrupted = nullptr;
    m_native->watching = false;
}

} // namespace wirevane::platform
