#include "tools/wirevane-run/interrupt_notifier.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace wirevane::runner {

namespace {

// The handler may only do async-signal-safe work: one byte into a pipe the loop watches.
int g_pipe[2] = {-1, -1};

void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = write(g_pipe[1], &byte, 1);
    errno = saved;
}

void Install(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

InterruptNotifier::InterruptNotifier(std::function<void()> onInterrupt)
    : m_onInterrupt(std::move(onInterrupt))
{
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
        char bytes[16];
        while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        m_onInterrupt();
    });
    Install(OnSignal);
}

InterruptNotifier::~InterruptNotifier()
{
    if (!m_notifier)
        return;
    Install(SIG_DFL);
    m_notifier.reset();
    close(g_pipe[0]);
    close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

} // namespace wirevane::runner
