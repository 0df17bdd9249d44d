#include "tools/wirevane-sim/device_loop.h"

#include "tools/wirevane-sim/abandoned_port.h"
#include "tools/wirevane-sim/sim_text.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace wirevane::sim {

namespace {

// How often the port is looked at for a holder that went without giving it back.
constexpr std::chrono::seconds kAbandonLook{1};

int ToPollTimeout(Clock::time_point at, Clock::time_point now)
{
    if (at <= now)
        return 0;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(at - now).count();
    return static_cast<int>(std::min<int64_t>(ms, 60'000));
}

// Waits until the program on the port has read everything sent to it, at most limit. Written
// bytes reach the port's input queue a moment later (the kernel moves them in the
// background), so the queue must stay empty for a while before it counts as read.
void WaitUntilRead(int slave, std::chrono::milliseconds limit)
{
    const auto end = Clock::now() + limit;
    int emptyLooks = 0;
    while (emptyLooks < 10 && Clock::now() < end) {
        int unread = 0;
        if (ioctl(slave, FIONREAD, &unread) != 0)
            return;
        emptyLooks = unread == 0 ? emptyLooks + 1 : 0;
        poll(nullptr, 0, 5);
    }
}

// One run of the device: what it has queued, how much of the queue's front is out, and how
// many bytes it has received.
class DeviceLoop {
public:
    DeviceLoop(const SimOptions& options, const Pty& pty, int signals, ReceiveLogs& logs,
               std::unique_ptr<Behaviour> behaviour)
        : m_options(options), m_pty(pty), m_signals(signals), m_logs(logs),
          m_behaviour(std::move(behaviour))
    {
    }

    int Run();

private:
    // Each answers true when the device is to stop.
    bool TakeSignal();
    bool TakeReceived();
    void SendFront();

    const SimOptions& m_options;
    const Pty& m_pty;
    const int m_signals;
    ReceiveLogs& m_logs;
    std::unique_ptr<Behaviour> m_behaviour;
    Outbox m_out;
    uint64_t m_received = 0;
    std::size_t m_sentOfFront = 0;
};

int DeviceLoop::Run()
{
    m_behaviour->Start(Clock::now(), m_out);
    Clock::time_point nextAbandonLook = Clock::now();
    for (;;) {
        Clock::time_point now = Clock::now();
        if (now >= nextAbandonLook) {
            ReleaseAbandonedExclusivity(m_pty.slave);
            nextAbandonLook = now + kAbandonLook;
        }
        if (m_behaviour->NextTick() && *m_behaviour->NextTick() <= now) {
            m_behaviour->Tick(now, m_out);
            continue;
        }
        if (m_out.empty())
            m_behaviour->Drained(now, m_out);
        if (m_behaviour->Finished() && m_out.empty()) {
            // A hang-up discards what the program has not read yet; a script's last words
            // are meant to arrive, so they are given time to be read first.
            WaitUntilRead(m_pty.slave, std::chrono::seconds(5));
            return 0;
        }
        const bool sendDue = !m_out.empty() && m_out.front().at <= now;
        Clock::time_point wakeAt = nextAbandonLook;
        if (const std::optional<Clock::time_point> tick = m_behaviour->NextTick())
            wakeAt = std::min(wakeAt, *tick);
        if (!m_out.empty() && !sendDue)
            wakeAt = std::min(wakeAt, m_out.front().at);
        const short events =
            static_cast<short>((m_out.Full() ? 0 : POLLIN) | (sendDue ? POLLOUT : 0));
        pollfd fds[2] = {{m_pty.master, events, 0}, {m_signals, POLLIN, 0}};
        if (poll(fds, 2, ToPollTimeout(wakeAt, now)) < 0 && errno != EINTR) {
            std::fprintf(stderr, "wirevane-sim: poll: %s\n", std::strerror(errno));
            return 1;
        }
        if ((fds[1].revents & POLLIN) && TakeSignal())
            return 0;
        if ((fds[0].revents & POLLIN) && TakeReceived())
            return 0;
        if (sendDue && (fds[0].revents & POLLOUT))
            SendFront();
    }
}

bool DeviceLoop::TakeSignal()
{
    signalfd_siginfo info{};
    if (read(m_signals, &info, sizeof info) != sizeof info)
        return false;
    // SIGUSR1 is the unplugged device; either way the port goes and so do we.
    std::fprintf(stderr, "wirevane-sim: %s, closing the port\n",
                 info.ssi_signo == SIGUSR1 ? "SIGUSR1" : "stopped");
    return true;
}

bool DeviceLoop::TakeReceived()
{
    char chunk[4096];
    const ssize_t got = read(m_pty.master, chunk, sizeof chunk);
    if (got <= 0)
        return false;
    const std::string_view bytes(chunk, static_cast<std::size_t>(got));
    m_logs.Write(bytes);
    m_received += static_cast<uint64_t>(got);
    m_behaviour->Received(bytes, Clock::now(), m_out);
    if (!m_options.closeAfter || m_received < *m_options.closeAfter)
        return false;
    std::fprintf(stderr, "wirevane-sim: %llu bytes received, closing the port\n",
                 static_cast<unsigned long long>(m_received));
    return true;
}

void DeviceLoop::SendFront()
{
    const std::string& bytes = m_out.front().bytes;
    const ssize_t put =
        write(m_pty.master, bytes.data() + m_sentOfFront, bytes.size() - m_sentOfFront);
    if (put > 0)
        m_sentOfFront += static_cast<std::size_t>(put);
    if (m_sentOfFront == bytes.size()) {
        m_out.PopFront();
        m_sentOfFront = 0;
    }
}

} // namespace

void Pty::Close()
{
    if (master >= 0)
        close(master);
    if (slave >= 0)
        close(slave);
    master = slave = -1;
}

bool ReceiveLogs::Open(const SimOptions& options, std::string& message)
{
    return (options.logPath.empty() || raw.Open(options.logPath, message)) &&
           (options.hexLogPath.empty() || hex.Open(options.hexLogPath, message));
}

void ReceiveLogs::Write(std::string_view bytes)
{
    raw.Write(bytes);
    if (hex.IsOpen())
        hex.Write(HexLine(bytes) + '\n');
}

int RunDevice(const SimOptions& options, const Pty& pty, int signals, ReceiveLogs& logs,
              std::unique_ptr<Behaviour> behaviour)
{
    return DeviceLoop(options, pty, signals, logs, std::move(behaviour)).Run();
}

} // namespace wirevane::sim
