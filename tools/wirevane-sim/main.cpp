#include "platform/linux/port_registration.h"
#include "platform/linux/port_sources.h"
#include "platform/standard_streams.h"
#include "tools/wirevane-sim/device_loop.h"
#include "tools/wirevane-sim/device_modes.h"
#include "tools/wirevane-sim/script_source.h"
#include "tools/wirevane-sim/sim_options.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
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

std::string ErrnoText(const char* call)
{
    return std::string(call) + ": " + std::strerror(errno);
}

// The steps of the script mode; no steps in the other modes.
bool LoadScript(const SimOptions& options, std::vector<ScriptStep>& script, std::string& message)
{
    if (options.mode != Mode::Script)
        return true;
    const auto text = ReadScriptText(options.scriptPath, message);
    if (!text)
        return false;
    auto steps = ParseScript(*text, message);
    if (!steps) {
        message = options.scriptPath + ": " + message;
        return false;
    }
    script = std::move(*steps);
    return true;
}

// A pseudo-terminal that passes bytes unchanged, its master end not blocking.
bool OpenRawPty(Pty& pty, std::string& message)
{
    char slaveName[256] = {};
    if (openpty(&pty.master, &pty.slave, slaveName, nullptr, nullptr) != 0) {
        message = ErrnoText("openpty");
        return false;
    }
    pty.path = slaveName;
    termios raw{};
    tcgetattr(pty.slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(pty.slave, TCSANOW, &raw);
    fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) | O_NONBLOCK);
    return true;
}

// The signals that end the device, taken from a descriptor the loop polls rather than by
// handlers; -1 on failure.
int OpenSignals()
{
    sigset_t handled;
    sigemptyset(&handled);
    sigaddset(&handled, SIGINT);
    sigaddset(&handled, SIGTERM);
    sigaddset(&handled, SIGUSR1);
    sigprocmask(SIG_BLOCK, &handled, nullptr);
    return signalfd(-1, &handled, SFD_CLOEXEC);
}

// The path the program is to open: the announced link, or the pty itself without announcing.
bool Announce(const SimOptions& options, const Pty& pty, platform::PortRegistration& registration,
              std::string& devicePath, std::string& message)
{
    devicePath = pty.path;
    if (!options.announce)
        return true;
    const std::filesystem::path folder = options.portsDir.empty()
                                             ? platform::SimulatorPortsDir()
                                             : std::filesystem::path(options.portsDir);
    if (!registration.Register(folder, options.name, pty.path, message)) {
        message =
            "cannot announce the port: " + message + " (see --ports-dir, --name, --no-announce)";
        return false;
    }
    devicePath = registration.linkPath().string();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    wirevane::platform::KeepStandardStreamsOpen();
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
    ReceiveLogs logs;
    if (!LoadScript(options, script, message) || !logs.Open(options, message))
        return Fail(message);
    Pty pty;
    if (!OpenRawPty(pty, message))
        return Fail(message);
    const int signals = OpenSignals();
    if (signals < 0)
        return Fail(ErrnoText("signalfd"));
    platform::PortRegistration registration;
    std::string devicePath;
    if (!Announce(options, pty, registration, devicePath, message))
        return Fail(message);
    std::printf("%s\n", devicePath.c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "wirevane-sim: port %s on %s\n",
                 platform::PortNameFromPath(devicePath).c_str(), pty.path.c_str());

    const int status =
        RunDevice(options, pty, signals, logs, MakeBehaviour(options, std::move(script)));
    if (status != 0)
        return status;
    // The announcement goes first: once the pseudo-terminal is closed its number may go to
    // another program, and no live announcement may lead there.
    registration.Remove();
    pty.Close();
    close(signals);
    return logs.failed() ? 1 : 0;
}
