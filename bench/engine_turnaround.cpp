// Turnaround of the engine against a device on a pseudo-terminal: the device answers each row
// with CR; the figure is the time from the answer's write to the first byte of the next row.
// The same exchange runs several ways in one run: a bare poll() loop (the floor), in this
// process and in one of its own; the engine with the receive handler and the port chain on the
// Qt event loop, and the same with every row checking its answer; the least any program on that
// loop can do (a socket notifier, a read, a write); wirevane-run (the headless runner's own
// loop); a pyserial script; and the engine and the runner again with the realtime
// priority a user may allow them, which also keeps the idle processors awake. With --awake the
// bench holds the processors awake itself, for every contender, the floor included: a halted
// processor's wake-up then costs no one, and what is left is each contender's own work.

#include "bench/bench_flags.h"
#include "bench/counting_terminal.h"
#include "bench/pty_device.h"
#include "e2e/qt_engine_rig.h"
#include "platform/awake_processors.h"
#include "serial/run_priority.h"
#include "support/widgets/run_until.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace wirevane;
using namespace wirevane::bench;

namespace {

// The contenders take turns in rounds, so a burst of load on a shared machine falls on all of
// them. Short rounds, many of them: where the scheduler puts the device's thread, the contender
// and the kernel's terminal worker differs from round to round and moves a round's median by
// tens of percent, so five long rounds gave figures that another run did not repeat.
constexpr int kRounds = 15;
constexpr int kRowsPerRound = 101;
// The first row answers nothing it follows, so a round sends one row more than it times.
constexpr int kRowsSent = kRowsPerRound + 1;
// A thread just started (the device's, the port's event thread) changes for tens of
// milliseconds, a whole round's length, where the kernel runs the wake-ups that follow: a bare
// Qt loop that started an idle thread before each round took 1.13-1.45 x the floor, and
// 1.03-1.13 x when it waited 200 ms first. A window's port is open long before Send, so every
// round starts this long after the device's thread, and the engine's rows as long after the
// port's; a runner or script started for the round begins at once, as it is used.
constexpr int kSettleAfterThreadMs = 200;

// Plays the device: records when each row's first byte arrives, answers its CR at once.
// Rows are "ROW\r"; samples are microseconds from an answer to the next row's first byte.
std::vector<double> AnswerRows(PtyDevice& device, int rows)
{
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(rows));
    uint8_t buffer[4096];
    const uint8_t answer = '\r';
    bool rowStarts = true;
    int64_t answeredAt = 0;
    int answered = 0;
    while (answered <= rows) {
        const ssize_t got = device.ReadSome(buffer, sizeof buffer, 10'000);
        const int64_t now = NowNs();
        if (got <= 0)
            break;
        for (ssize_t i = 0; i < got; ++i) {
            if (rowStarts && answered > 0)
                samples.push_back(static_cast<double>(now - answeredAt) / 1000.0);
            rowStarts = false;
            if (buffer[i] == '\r') {
                device.WriteAll(&answer, 1);
                answeredAt = NowNs();
                ++answered;
                rowStarts = true;
            }
        }
    }
    return samples;
}

// Processor time the calling thread has used, in microseconds: what a contender in this process
// spends per row, set-up left out.
double ThreadCpuUs()
{
    timespec used{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) * 1e6 + static_cast<double>(used.tv_nsec) / 1e3;
}

// The bare loop itself; it allocates nothing, so that a child forked beside the device's thread
// may run it.
bool PollLoop(int fd, int rows)
{
    const char row[] = "ROW\r";
    uint8_t buffer[256];
    for (int i = 0; i < rows; ++i) {
        if (write(fd, row, 4) != 4)
            return false;
        bool answered = false;
        while (!answered) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 10'000) <= 0)
                return false;
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got <= 0)
                return false;
            for (ssize_t k = 0; k < got; ++k)
                answered = answered || buffer[k] == '\r';
        }
    }
    return true;
}

void PollFloor(const std::string& path, int rows, std::vector<double>& cpuPerRow)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return;
    const double cpuBefore = ThreadCpuUs();
    PollLoop(fd, rows);
    cpuPerRow.push_back((ThreadCpuUs() - cpuBefore) / rows);
    close(fd);
}

// The same loop in a process of its own, as wirevane-run and the script are: waking another
// process costs more here than waking another thread of this one, so this is the floor those two
// are measured against.
bool PollFloorProcess(const std::string& path, int rows)
{
    const pid_t child = fork();
    if (child == 0) {
        const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
        _exit(fd >= 0 && PollLoop(fd, rows) ? 0 : 1);
    }
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The least a program on Qt's event loop can do: a socket notifier on the port, and in its
// handler a read and, once the CR is there, the next row's write. It runs the loop the engine
// runs on and nothing of the engine, so what the engine takes beyond it is its own work, and
// what it takes beyond the floor is the loop's.
bool QtLoopFloor(const std::string& path, int rows, std::vector<double>& cpuPerRow)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    const char row[] = "ROW\r";
    bool ok = write(fd, row, 4) == 4;
    int answered = 0;
    QEventLoop loop;
    QSocketNotifier notifier(fd, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
        uint8_t buffer[256];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        // A notifier may wake once with nothing left to read; that ends nothing.
        if (got < 0 && errno == EAGAIN)
            return;
        if (got <= 0) {
            ok = false;
            loop.quit();
            return;
        }
        for (ssize_t k = 0; k < got; ++k)
            answered += buffer[k] == '\r' ? 1 : 0;
        if (answered >= rows)
            loop.quit();
        else if (buffer[got - 1] == '\r' && write(fd, row, 4) != 4)
            ok = false;
    });
    const double cpuBefore = ThreadCpuUs();
    if (ok)
        loop.exec();
    cpuPerRow.push_back((ThreadCpuUs() - cpuBefore) / rows);
    close(fd);
    return ok;
}

constexpr const char* kPythonScript = R"(import sys
import serial
port = serial.Serial(sys.argv[1], baudrate=115200, timeout=None)
for _ in range(int(sys.argv[2])):
    port.write(b"ROW\r")
    port.read_until(b"\r")
port.close()
)";

// Debian's interpreter and its pyserial; started from / so that no folder named "serial" in
// the working directory shadows the module.
bool PythonScript(const std::string& path, int rows)
{
    const pid_t child = fork();
    if (child == 0) {
        if (chdir("/") != 0)
            _exit(126);
        const std::string count = std::to_string(rows);
        execl("/usr/bin/python3", "python3", "-c", kPythonScript, path.c_str(), count.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The runner's table: a third of the rows, run three times, so that its last answer is the
// device's last.
constexpr int kRunnerCycles = 3;
static_assert(kRowsSent % kRunnerCycles == 0);

std::string RunnerSettings(int rows)
{
    std::string text = "[SERIAL]\nBAUD=115200\nDATA=8\nPARITY=0\nSTOP=0\nHNDSHK=0\n"
                       "[CONSOLE]\nCYCLIC=0\nTERNINATOR=1\nENCODE=0\n";
    for (int i = 0; i < rows / kRunnerCycles; ++i)
        text += "[DATA_INDEX" + std::to_string(i) +
                "]\nSELECT=1\nDATA=ROW\nWAIT_RX=1\nHALT=0\nDELAY=0\n";
    return text;
}

// wirevane-run as a user starts it, its terminal text thrown away; false when it failed.
// WIREVANE_RUN names another build of it, to compare two builds in one run of this bench.
bool Runner(const std::string& path, int rows, bool realtime)
{
    const char* chosen = std::getenv("WIREVANE_RUN");
    const std::string program =
        chosen ? chosen : WIREVANE_BINARY_DIR "/tools/wirevane-run/wirevane-run";
    char settingsPath[] = "/tmp/wirevane-turnaround-XXXXXX.ini";
    const int file = mkstemps(settingsPath, 4);
    if (file < 0)
        return false;
    const std::string settings = RunnerSettings(rows);
    const bool written =
        write(file, settings.data(), settings.size()) == static_cast<ssize_t>(settings.size());
    close(file);
    const pid_t child = written ? fork() : -1;
    if (child == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet < 0 || dup2(quiet, STDOUT_FILENO) < 0)
            _exit(126);
        const std::string cycles = std::to_string(kRunnerCycles);
        execl(program.c_str(), "wirevane-run", "--port", path.c_str(), "--cycles", cycles.c_str(),
              "--linger", "0", realtime ? "--realtime" : settingsPath,
              realtime ? settingsPath : static_cast<char*>(nullptr), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    unlink(settingsPath);
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct EngineChoice {
    bool checked = false;
    bool realtime = false;
};

// The engine as the window runs it: all 100 rows ticked, each "ROW" with CR appended, waiting
// for CR, delay 0, repeating, until the given number of rows has been answered. A checked run
// gives every row the expected answer CR, which each answer passes; a realtime one takes the
// priority the window takes for a run when the user allows it. False when the port would not
// open or the priority was refused.
bool Engine(const std::string& path, int rows, std::vector<double>& cpuPerRow,
            EngineChoice choice = {})
{
    test::QtEngineRig<CountingTerminal> rig;
    for (int i = 0; i < SendTable::kRowCount; ++i) {
        rig.SetRow(i, u"ROW", WaitKind::Cr, 0);
        if (choice.checked)
            rig.table.rows()[static_cast<std::size_t>(i)].expect = u"\\r";
    }
    rig.table.RewriteFromRows();
    rig.run.cyclic = true;
    if (rig.Open(path) != 0) {
        std::printf("cannot open %s\n", path.c_str());
        return false;
    }
    // The open started the port's event thread.
    test::RunEventsUntil([] { return false; }, kSettleAfterThreadMs);
    RunPriority priority(rig.port.serial);
    priority.SetAllowed(choice.realtime);
    const bool refused = priority.RunChanged(true).priority.has_value();
    const auto answered = [&rig, rows] {
        return rig.port.writes >= static_cast<uint64_t>(rows) && rig.run.waitKind == WaitKind::None;
    };
    rig.afterEvent = [&] {
        if (answered())
            rig.engine.OnStop();
    };
    const double cpuBefore = ThreadCpuUs();
    rig.engine.OnSend();
    test::RunEventsUntil(answered, 60'000);
    cpuPerRow.push_back((ThreadCpuUs() - cpuBefore) / rows);
    rig.engine.OnStop();
    priority.RunChanged(false);
    return !refused;
}

template <typename Contender> void MeasureRound(std::vector<double>& samples, Contender contender)
{
    PtyDevice device;
    std::vector<double> round;
    std::thread deviceThread([&] { round = AnswerRows(device, kRowsPerRound); });
    std::this_thread::sleep_for(std::chrono::milliseconds(kSettleAfterThreadMs));
    contender(device.portPath());
    deviceThread.join();
    samples.insert(samples.end(), round.begin(), round.end());
}

// The contender's own processor time per row is known for those in this process only.
Spread Print(const char* name, const std::vector<double>& samples,
             const std::vector<double>& cpuPerRow)
{
    const Spread spread = SpreadOf(samples);
    std::printf("%-18s %10.1f %10.1f %8zu", name, spread.median, spread.p99, spread.count);
    if (cpuPerRow.empty())
        std::printf("%14s\n", "-");
    else
        std::printf("%14.1f\n", SpreadOf(cpuPerRow).median);
    return spread;
}

struct Contender {
    using Run = std::function<bool(const std::string& path, std::vector<double>& cpuPerRow)>;
    Contender(const char* contenderName, Run contenderRun)
        : name(contenderName), run(std::move(contenderRun))
    {
    }
    const char* name;
    Run run;
    std::vector<double> samples;
    std::vector<double> cpuPerRow;
    bool ok = true;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    platform::AwakeProcessors awake;
    if (FlagGiven(argc, argv, "--awake")) {
        if (const std::optional<platform::RealtimeRefusal> refusal = awake.Hold()) {
            std::printf("the processors may not be kept awake: %s\n", refusal->reason.c_str());
            return 1;
        }
    }
    std::vector<Contender> contenders;
    contenders.emplace_back("poll() floor", [](const std::string& path, std::vector<double>& cpu) {
        PollFloor(path, kRowsSent, cpu);
        return true;
    });
    contenders.emplace_back("engine", [](const std::string& path, std::vector<double>& cpu) {
        return Engine(path, kRowsSent, cpu);
    });
    contenders.emplace_back("engine, checked",
                            [](const std::string& path, std::vector<double>& cpu) {
                                return Engine(path, kRowsSent, cpu, {.checked = true});
                            });
    contenders.emplace_back("wirevane-run", [](const std::string& path, std::vector<double>&) {
        return Runner(path, kRowsSent, false);
    });
    contenders.emplace_back("floor, own process",
                            [](const std::string& path, std::vector<double>&) {
                                return PollFloorProcess(path, kRowsSent);
                            });
    contenders.emplace_back("Qt loop floor", [](const std::string& path, std::vector<double>& cpu) {
        return QtLoopFloor(path, kRowsSent, cpu);
    });
    contenders.emplace_back("python3-serial", [](const std::string& path, std::vector<double>&) {
        return PythonScript(path, kRowsSent);
    });
    contenders.emplace_back("engine, realtime",
                            [](const std::string& path, std::vector<double>& cpu) {
                                return Engine(path, kRowsSent, cpu, {.realtime = true});
                            });
    contenders.emplace_back("run --realtime", [](const std::string& path, std::vector<double>&) {
        return Runner(path, kRowsSent, true);
    });
    // "--only NAME" runs that contender alone, the floor beside it, for a profiler's sake.
    const char* only = FlagValue(argc, argv, "--only");
    for (int round = 0; round < kRounds; ++round)
        for (Contender& contender : contenders)
            if (!only || &contender == &contenders[0] || std::string(only) == contender.name)
                MeasureRound(contender.samples, [&contender](const std::string& path) {
                    contender.ok = contender.run(path, contender.cpuPerRow) && contender.ok;
                });
    std::printf("turnaround, answer written -> first byte of the next row, delay 0, %d rows "
                "each in %d rounds%s\n",
                kRounds * kRowsPerRound, kRounds,
                awake.held() ? ", idle processors kept awake throughout" : "");
    std::printf("%-18s %10s %10s %8s %13s\n", "", "median us", "p99 us", "samples", "cpu us/row");
    std::vector<Spread> spreads;
    spreads.reserve(contenders.size());
    for (const Contender& contender : contenders)
        spreads.push_back(contender.samples.empty()
                              ? Spread{}
                              : Print(contender.name, contender.samples, contender.cpuPerRow));
    for (const Contender& contender : contenders)
        if (!contender.ok)
            std::printf("(%s failed: is wirevane-run built, python3-serial installed, realtime "
                        "priority granted?)\n",
                        contender.name);
    const Spread& floor = spreads[0];
    const Spread& processFloor = spreads[4];
    const Spread& qtLoop = spreads[5];
    const Spread& python = spreads[6];
    if (only)
        return 0;
    for (std::size_t i : {1, 3, 7, 8})
        std::printf("%s median = %.2f x floor (goal <= 1.2), %.2f x python (goal < 1); "
                    "p99 %.0f us (goal <= 100)\n",
                    contenders[i].name, spreads[i].median / floor.median,
                    spreads[i].median / python.median, spreads[i].p99);
    for (std::size_t i : {3, 6, 8})
        std::printf("%s median = %.2f x the floor in its own process\n", contenders[i].name,
                    spreads[i].median / processFloor.median);
    std::printf("Qt loop floor median = %.2f x floor; engine median = %.2f x the Qt loop floor\n",
                qtLoop.median / floor.median, spreads[1].median / qtLoop.median);
    return 0;
}
