#include "platform/linux/port_registration.h"
#include "platform/linux/port_sources.h"
#include "tools/wirevane-sim/device_modes.h"
#include "tools/wirevane-sim/sim_options.h"
#include "tools/wirevane-sim/sim_text.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/signalfd.h>
#include <termios.h>
#include <unistd.h>

using namespace wirevane;
using namespace wirevane::sim;

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "wirevane-sim: %s\n", message.c_str());
    return 1;
}

int ToPollTimeout(std::optional<Clock::time_point> at, Clock::time_point now)
{
    if (!at)
        return -1;
    if (*at <= now)
        return 0;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(*at - now).count();
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

// The device side of the port: the master end, and the slave end kept open so the master
// never reads EIO while no program has the port open.
struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;

    void Close()
    {
        if (master >= 0)
            close(master);
        if (slave >= 0)
            close(slave);
        master = slave = -1;
    }
};

} // namespace

int main(int argc, char** argv)
{
    std::string message;
    const auto parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), message);
    if (!parsed) {
        std::fprintf(stderr, "wirevane-sim: %s\n", message.c_str());
        return 2;
    }
    const SimOptions& options = *parsed;
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    std::vector<ScriptStep> script;
    if (options.mode == Mode::Script) {
        std::ifstream file(options.scriptPath, std::ios::binary);
        if (!file)
            return Fail("cannot read the script " + options.scriptPath);
        const std::string text{std::istreambuf_iterator<char>(file), {}};
        auto steps = ParseScript(text, message);
        if (!steps)
            return Fail(options.scriptPath + ": " + message);
        script = std::move(*steps);
    }
    std::ofstream rawLog;
    std::ofstream hexLog;
    if (!options.logPath.empty()) {
        rawLog.open(options.logPath, std::ios::binary | std::ios::app);
        if (!rawLog)
            return Fail("cannot write the log " + options.logPath);
    }
    if (!options.hexLogPath.empty()) {
        hexLog.open(options.hexLogPath, std::ios::app);
        if (!hexLog)
            return Fail("cannot write the log " + options.hexLogPath);
    }

    Pty pty;
    char slaveName[256] = {};
    if (openpty(&pty.master, &pty.slave, slaveName, nullptr, nullptr) != 0)
        return Fail(std::string("openpty: ") + std::strerror(errno));
    pty.path = slaveName;
    termios raw{};
    tcgetattr(pty.slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(pty.slave, TCSANOW, &raw);
    fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) | O_NONBLOCK);

    sigset_t handled;
    sigemptyset(&handled);
    sigaddset(&handled, SIGINT);
    sigaddset(&handled, SIGTERM);
    sigaddset(&handled, SIGUSR1);
    sigprocmask(SIG_BLOCK, &handled, nullptr);
    const int signals = signalfd(-1, &handled, SFD_CLOEXEC);
    if (signals < 0)
        return Fail(std::string("signalfd: ") + std::strerror(errno));

    platform::PortRegistration registration;
    std::string devicePath = pty.path;
    if (options.announce) {
        const std::filesystem::path folder = options.portsDir.empty()
                                                 ? platform::SimulatorPortsDir()
                                                 : std::filesystem::path(options.portsDir);
        if (!registration.Register(folder, options.name, pty.path, message))
            return Fail("cannot announce the port: " + message);
        devicePath = registration.linkPath().string();
    }
    std::printf("%s\n", devicePath.c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "wirevane-sim: port %s on %s\n",
                 platform::PortNameFromPath(devicePath).c_str(), pty.path.c_str());

    auto behaviour = MakeBehaviour(options, std::move(script));
    Outbox out;
    behaviour->Start(Clock::now(), out);
    uint64_t received = 0;
    std::size_t sentOfFront = 0;

    for (;;) {
        Clock::time_point now = Clock::now();
        if (behaviour->NextTick() && *behaviour->NextTick() <= now) {
            behaviour->Tick(now, out);
            continue;
        }
        if (behaviour->Finished() && out.queue.empty()) {
            // A hang-up discards what the program has not read yet; a script's last words
            // are meant to arrive, so they are given time to be read first.
            WaitUntilRead(pty.slave, std::chrono::seconds(5));
            break;
        }
        const bool sendDue = !out.queue.empty() && out.queue.front().at <= now;
        std::optional<Clock::time_point> wakeAt = behaviour->NextTick();
        if (!out.queue.empty() && !sendDue)
            wakeAt = wakeAt ? std::min(*wakeAt, out.queue.front().at) : out.queue.front().at;
        pollfd fds[2] = {{pty.master, static_cast<short>(POLLIN | (sendDue ? POLLOUT : 0)), 0},
                         {signals, POLLIN, 0}};
        if (poll(fds, 2, ToPollTimeout(wakeAt, now)) < 0 && errno != EINTR)
            return Fail(std::string("poll: ") + std::strerror(errno));

        if (fds[1].revents & POLLIN) {
            signalfd_siginfo info{};
            if (read(signals, &info, sizeof info) == sizeof info) {
                // SIGUSR1 is the unplugged device; either way the port goes and so do we.
                std::fprintf(stderr, "wirevane-sim: %s, closing the port\n",
                             info.ssi_signo == SIGUSR1 ? "SIGUSR1" : "stopped");
                break;
            }
        }
        if (fds[0].revents & POLLIN) {
            char chunk[4096];
            const ssize_t got = read(pty.master, chunk, sizeof chunk);
            if (got > 0) {
                const std::string_view bytes(chunk, static_cast<std::size_t>(got));
                if (rawLog.is_open())
                    rawLog.write(chunk, got).flush();
                if (hexLog.is_open())
                    hexLog << HexLine(bytes) << '\n' << std::flush;
                received += static_cast<uint64_t>(got);
                behaviour->Received(bytes, Clock::now(), out);
                if (options.closeAfter && received >= *options.closeAfter) {
                    std::fprintf(stderr, "wirevane-sim: %llu bytes received, closing the port\n",
                                 static_cast<unsigned long long>(received));
                    break;
                }
            }
        }
        if (sendDue && (fds[0].revents & POLLOUT)) {
            const std::string& bytes = out.queue.front().bytes;
            const ssize_t put =
                write(pty.master, bytes.data() + sentOfFront, bytes.size() - sentOfFront);
            if (put > 0)
                sentOfFront += static_cast<std::size_t>(put);
            if (sentOfFront == bytes.size()) {
                out.queue.pop_front();
                sentOfFront = 0;
            }
        }
    }
    // The port goes first, so a program holding it sees the hang-up while the link still
    // names it; then the announcement is removed.
    pty.Close();
    registration.Remove();
    close(signals);
    return 0;
}
