// Turnaround of the engine against a device on a pseudo-terminal: the device answers each row
// with CR; the figure is the time from the answer's write to the first byte of the next row.
// The same exchange runs five ways in one run: a bare poll() loop (the floor), the engine with
// the receive handler and the port chain on the Qt event loop, the same with every row checking
// its answer, wirevane-run (the headless runner's own loop), and a pyserial script.

#include "bench/counting_terminal.h"
#include "bench/pty_device.h"
#include "e2e/qt_engine_rig.h"
#include "support/widgets/run_until.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace wirevane;
using namespace wirevane::bench;

namespace {

// The three take turns in rounds, so a burst of load on a shared machine falls on all of them.
constexpr int kRounds = 5;
constexpr int kRowsPerRound = 200;

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

void PollFloor(const std::string& path, int rows)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return;
    const char row[] = "ROW\r";
    uint8_t buffer[256];
    for (int i = 0; i < rows; ++i) {
        if (write(fd, row, 4) != 4)
            break;
        bool answered = false;
        while (!answered) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 10'000) <= 0)
                break;
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got <= 0)
                break;
            for (ssize_t k = 0; k < got; ++k)
                answered = answered || buffer[k] == '\r';
        }
        if (!answered)
            break;
    }
    close(fd);
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
static_assert((kRowsPerRound + 1) % kRunnerCycles == 0);

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
bool Runner(const std::string& path, int rows)
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
              "--linger", "0", settingsPath, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    unlink(settingsPath);
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The engine as the window runs it: all 100 rows ticked, each "ROW" with CR appended, waiting
// for CR, delay 0, repeating, until the given number of rows has been answered. A checked run
// gives every row the expected answer CR, which each answer passes.
void Engine(const std::string& path, int rows, bool checked = false)
{
    test::QtEngineRig<CountingTerminal> rig;
    for (int i = 0; i < SendTable::kRowCount; ++i) {
        rig.SetRow(i, u"ROW", WaitKind::Cr, 0);
        if (checked)
            rig.table.rows()[static_cast<std::size_t>(i)].expect = u"\\r";
    }
    rig.table.RewriteFromRows();
    rig.run.cyclic = true;
    if (rig.Open(path) != 0) {
        std::printf("cannot open %s\n", path.c_str());
        return;
    }
    const auto answered = [&rig, rows] {
        return rig.port.writes >= 2 * static_cast<uint64_t>(rows) &&
               rig.run.waitKind == WaitKind::None;
    };
    rig.afterEvent = [&] {
        if (answered())
            rig.engine.OnStop();
    };
    rig.engine.OnSend();
    test::RunEventsUntil(answered, 60'000);
    rig.engine.OnStop();
}

template <typename Contender> void MeasureRound(std::vector<double>& samples, Contender contender)
{
    PtyDevice device;
    std::vector<double> round;
    std::thread deviceThread([&] { round = AnswerRows(device, kRowsPerRound); });
    contender(device.portPath());
    deviceThread.join();
    samples.insert(samples.end(), round.begin(), round.end());
}

Spread Print(const char* name, const std::vector<double>& samples)
{
    const Spread spread = SpreadOf(samples);
    std::printf("%-16s %10.1f %10.1f %8zu\n", name, spread.median, spread.p99, spread.count);
    return spread;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<double> floor;
    std::vector<double> engine;
    std::vector<double> checked;
    std::vector<double> runner;
    std::vector<double> python;
    bool runnerOk = true;
    bool pythonOk = true;
    for (int round = 0; round < kRounds; ++round) {
        MeasureRound(floor, [](const std::string& path) { PollFloor(path, kRowsPerRound + 1); });
        MeasureRound(engine, [](const std::string& path) { Engine(path, kRowsPerRound + 1); });
        MeasureRound(checked,
                     [](const std::string& path) { Engine(path, kRowsPerRound + 1, true); });
        MeasureRound(runner, [&runnerOk](const std::string& path) {
            runnerOk = Runner(path, kRowsPerRound + 1) && runnerOk;
        });
        MeasureRound(python, [&pythonOk](const std::string& path) {
            pythonOk = PythonScript(path, kRowsPerRound + 1) && pythonOk;
        });
    }
    std::printf("turnaround, answer written -> first byte of the next row, delay 0, %d rows "
                "each in %d rounds\n",
                kRounds * kRowsPerRound, kRounds);
    std::printf("%-16s %10s %10s %8s\n", "", "median us", "p99 us", "samples");
    const Spread floorSpread = Print("poll() floor", floor);
    const Spread engineSpread = Print("engine", engine);
    Print("engine, checked", checked);
    const Spread runnerSpread = Print("wirevane-run", runner);
    const Spread pythonSpread = Print("python3-serial", python);
    if (!runnerOk)
        std::printf("(wirevane-run failed; is it built?)\n");
    if (!pythonOk)
        std::printf("(the pyserial script failed; is python3-serial installed?)\n");
    for (const auto& [name, spread] :
         {std::pair{"engine", engineSpread}, std::pair{"wirevane-run", runnerSpread}})
        std::printf("%s median = %.2f x floor (goal <= 1.2), %.2f x python (goal < 1); "
                    "p99 %.0f us (goal <= 100)\n",
                    name, spread.median / floorSpread.median, spread.median / pythonSpread.median,
                    spread.p99);
    return 0;
}
