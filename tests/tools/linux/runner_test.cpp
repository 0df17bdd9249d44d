#include "support/child_process.h"
#include "support/file_text.h"
#include "support/pty_pair.h"
#include "support/scoped_environment.h"
#include "support/sim_process.h"
#include "support/table_file.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"
#include "support/wait_until.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace wirevane::test {
namespace {

using namespace std::chrono_literals;

using Row = TableRow;

// The simulator on its own pseudo-terminal, logging what it receives.
class Sim : public SimProcess {
public:
    Sim(const TempDir& dir, const std::vector<std::string>& arguments)
        : SimProcess(Logged(arguments, dir / "device.log")), m_log(dir / "device.log")
    {
    }

    // What the device received; waits for the log to hold at least size bytes.
    std::string received(std::size_t size = 0) const
    {
        std::string log;
        WaitUntil([&] { return (log = FileText(m_log)).size() >= size; }, 5s);
        return log;
    }

private:
    static std::vector<std::string> Logged(std::vector<std::string> arguments,
                                           const std::filesystem::path& log)
    {
        arguments.insert(arguments.end(), {"--no-announce", "--log", log.string()});
        return arguments;
    }

    std::filesystem::path m_log;
};

struct RunResult {
    std::optional<int> status;
    std::string out;
    std::string err;
};

RunResult RunRunner(const std::vector<std::string>& arguments)
{
    ChildProcess runner(toolPath("wirevane-run"), arguments);
    const std::optional<int> status = runner.Wait(20s);
    return {status, runner.out(), runner.err()};
}

class RunnerTest : public ::testing::Test {
protected:
    std::string Table(const std::vector<Row>& rows, const std::string& serial = "BAUD=115200\r\n")
    {
        const std::filesystem::path file = m_dir / "table.ini";
        WriteTableFile(file, rows, {.serial = serial});
        return file.string();
    }

    TempDir m_dir;
};

TEST_F(RunnerTest, TableWithCrWaitsRunsToItsEndAndReportsEachRow)
{
    Sim sim(m_dir, {"--lines", "--reply", "OK", "--reply-end", "cr"});
    ASSERT_TRUE(sim.started());
    const std::string report = (m_dir / "report.json").string();
    const RunResult run = RunRunner(
        {"--port", sim.devicePath(), "--echo", "--report", report,
         Table({{0, "AT"}, {1, "\\x02SET 1\\x03", 1}, {4, "\x82\xa0", 1}, {9, "END", 1}})});
    // Row 0 does not wait, so its line's answer may come at any time after it.
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(sim.received(18), "AT\r\x02SET 1\x03\r\x82\xa0\rEND\r");
    EXPECT_NE(run.out.find("\\x02SET 1\\x03\r"), std::string::npos) << run.out; // echo as typed
    EXPECT_NE(run.out.find("あ\r"), std::string::npos);
    EXPECT_NE(run.out.find("OK\r"), std::string::npos);

    const std::string json = test::FileText(report);
    const std::regex entry(
        R"re(\{"index": (\d+), "bytes": "([0-9A-F]*)", "written_us": (\d+), )re"
        R"re("answered_us": (null|\d+), "turnaround_us": (null|\d+), "sent": 1, )re");
    std::vector<std::smatch> rows;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), entry);
         it != std::sregex_iterator(); ++it)
        rows.push_back(*it);
    // The entries' fields are the timing report's and the driver's; what the process adds is a
    // clock that runs.
    ASSERT_EQ(rows.size(), 4u) << json;
    long long lastWritten = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const long long written = std::stoll(rows[i][3]);
        const long long answered = std::stoll(rows[i][4]);
        const long long turnaround = std::stoll(rows[i][5]);
        EXPECT_GT(written, lastWritten);
        EXPECT_EQ(turnaround, answered - written);
        EXPECT_GT(turnaround, 0);
        EXPECT_LT(turnaround, 5'000'000); // a local answer, even on a loaded machine
        lastWritten = answered;
    }
}

// A device's escape sequences must not reach the user's terminal as commands (a title set and
// reported back lands in the shell's input); a pipe still gets the bytes as they came.
TEST_F(RunnerTest, ControlCharactersReachATerminalAsPicturesAndAPipeAsTheyCame)
{
    Sim sim(m_dir, {"--lines", "--reply", "OK\\x1B]0;owned\\x07\\x7F", "--reply-end", "cr"});
    ASSERT_TRUE(sim.started());
    const std::string table = Table({{0, "AT", 1}});
    const RunResult piped = RunRunner({"--port", sim.devicePath(), table});
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_NE(piped.out.find("OK\x1B]0;owned\x07\x7F\r"), std::string::npos) << piped.out;

    PtyPair terminal;
    ChildProcess runner(toolPath("wirevane-run"), {"--port", sim.devicePath(), table},
                        [&] { dup2(terminal.slave(), STDOUT_FILENO); });
    ASSERT_EQ(runner.Wait(20s), 0) << runner.err();
    std::string shown;
    WaitUntil([&] { return (shown += terminal.ReadMasterAvailable()).find('\r') != shown.npos; });
    EXPECT_EQ(shown, "OK\u241B]0;owned\u2407\u2421\r");
}

TEST_F(RunnerTest, MissingFileAndBadOptionsFailWithOneLine)
{
    const std::string nowhere = (m_dir / "nowhere.ini").string();
    // Read in part, it would run the rows of its first lines.
    const std::string endless = (m_dir / "endless.ini").string();
    std::ofstream(endless) << "[DATA_INDEX0]\nSELECT=1\nDATA=A\n" << std::string(100'000, '\n');
    const std::pair<std::vector<std::string>, std::string> failures[] = {
        {{nowhere}, "cannot read " + nowhere},
        {{endless}, "cannot read " + endless + ": Too many lines"},
        {{"--port", "/dev/wirevane-no-such-port", Table({{0, "A"}})},
         "cannot open /dev/wirevane-no-such-port: no such device"},
        {{"--port", "/dev/null", Table({{0, "A"}})}, "cannot open /dev/null: not a serial port"},
        {{"--cycles", "many", "x.ini"}, "--cycles"},
    };
    for (const auto& [arguments, reason] : failures) {
        const RunResult run = RunRunner(arguments);
        EXPECT_EQ(run.status, 1) << reason;
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

// One runner holds the port while it waits; a second one is refused, and Ctrl-C ends the
// first cleanly, after which the port can be had again.
TEST_F(RunnerTest, BusyPortIsRefusedAndCtrlCStopsCleanly)
{
    Sim sim(m_dir, {"--lines", "--reply-end", "none"});
    const std::string table = Table({{0, "HOLD", 1}});
    ChildProcess first(toolPath("wirevane-run"), {"--port", sim.devicePath(), "--echo", table});
    ASSERT_TRUE(first.WaitForOutput("HOLD", 10s)) << first.err();

    const RunResult second = RunRunner({"--port", sim.devicePath(), table});
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.err.find(" is busy: held by "), std::string::npos) << second.err;
    EXPECT_NE(second.err.find("wirevane-run (process "), std::string::npos) << second.err;

    first.Signal(SIGINT);
    EXPECT_EQ(first.Wait(10s), 130);
    EXPECT_NE(first.err().find("interrupted"), std::string::npos);

    const RunResult third =
        RunRunner({"--port", sim.devicePath(), "--timeout", "1", Table({{0, "AGAIN", 1}})});
    EXPECT_EQ(third.status, 3) << third.err;
}

// A run ended from outside, by Ctrl-C, kill or the hang-up of a closed terminal or a dropped
// ssh session, still writes what it ran so far: hours of results must not go with the window.
class RunnerEnded : public RunnerTest, public ::testing::WithParamInterface<int> {};

TEST_P(RunnerEnded, FromOutsideTheRunStillWritesItsResultFiles)
{
    Sim sim(m_dir, {"--lines", "--reply-end", "none"});
    const std::filesystem::path report = m_dir / "r.json";
    const std::filesystem::path junit = m_dir / "j.xml";
    ChildProcess runner(toolPath("wirevane-run"),
                        {"--port", sim.devicePath(), "--echo", "--report", report.string(),
                         "--junit", junit.string(), Table({{0, "HOLD", 1}})});
    ASSERT_TRUE(runner.WaitForOutput("HOLD", 10s)) << runner.err();
    runner.Signal(GetParam());
    EXPECT_EQ(runner.Wait(10s), 130) << runner.err();
    EXPECT_NE(test::FileText(report).find("\"rows\""), std::string::npos);
    EXPECT_NE(test::FileText(junit).find("<testsuite"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Signals, RunnerEnded, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& param) { return std::string(sigabbrev_np(param.param)); });

TEST_F(RunnerTest, PortLostMidRunEndsWithStatusOne)
{
    // The device goes away once it has the first row; the row's wait must not hang the run.
    Sim sim(m_dir, {"--lines", "--reply-end", "none", "--close-after", "5"});
    const RunResult run =
        RunRunner({"--port", sim.devicePath(), Table({{0, "PING", 1}, {1, "PONG"}})});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("lost"), std::string::npos) << run.err;
}

// A file written on Windows names its port \\.\NAME; the name is looked up in the port list,
// where a running simulator announces itself.
TEST_F(RunnerTest, FilesPortNameIsFoundInThePortList)
{
    const std::string ports = (m_dir / "ports").string();
    ScopedEnvironment environment;
    environment.Set("WIREVANE_PORTS_DIR", ports);
    SimProcess sim({"--lines", "--reply-end", "cr", "--name", "runnersim", "--ports-dir", ports});
    ASSERT_TRUE(sim.started());
    const RunResult run =
        RunRunner({Table({{0, "HI", 1}}, "PORT=\\\\.\\runnersim0\r\nBAUD=19200\r\n")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("OK\r"), std::string::npos);
}

// A device that answers the first row and then holds the line with XOFF: the long row after
// it is never taken, its write times out, and the runner must end there instead of waiting for
// the device to go away.
TEST_F(RunnerTest, WriteHeldByXoffPastItsTimeOutEndsTheProcessWithStatusOne)
{
    PtyPair device;
    const std::string longRow(10'000, 'A');
    ChildProcess runner(
        toolPath("wirevane-run"),
        {"--port", device.slavePath(), "--linger", "0",
         Table({{0, "PING", 1}, {1, longRow}, {2, longRow}}, "BAUD=115200\r\nHNDSHK=2\r\n")});
    ASSERT_EQ(device.ReadMaster(5), "PING\r");
    device.WriteMaster("\x13OK\r");
    // Only a guard against a process that never ends; the write's own limit is a few seconds.
    EXPECT_EQ(runner.Wait(60s), 1) << runner.err();
    EXPECT_NE(runner.err().find("timed out"), std::string::npos) << runner.err();
}

// The report and the JUnit file are written when the run ends; a name that cannot take them is
// said before the port is opened, not after what may be hours of running.
TEST_F(RunnerTest, ABadResultFileOrRefusedSettingsEndTheRunBeforeSending)
{
    Sim sim(m_dir, {"--echo"});
    ASSERT_TRUE(sim.started());
    const std::string table = Table({{0, "X"}});
    const std::string missing = (m_dir / "missing" / "r.json").string();
    const RunResult report = RunRunner({"--port", sim.devicePath(), "--report", missing, table});
    EXPECT_EQ(report.status, 1);
    EXPECT_EQ(report.err,
              "wirevane-run: cannot write the report " + missing + ": No such file or directory\n");
    EXPECT_EQ(report.out, "");

    const RunResult junit =
        RunRunner({"--port", sim.devicePath(), "--junit", m_dir.path().string(), table});
    EXPECT_EQ(junit.status, 1);
    EXPECT_NE(junit.err.find("cannot write the JUnit file"), std::string::npos) << junit.err;
    EXPECT_NE(junit.err.find("Not a regular file (a folder)"), std::string::npos) << junit.err;

    // A run's file that is the settings file, or another of its files, would wipe the other.
    const std::string tableText = test::FileText(table);
    const RunResult overSettings = RunRunner({"--port", sim.devicePath(), "--log", table, table});
    EXPECT_EQ(overSettings.err, "wirevane-run: cannot write the log " + table +
                                    ": it is the settings file being run\n");
    EXPECT_EQ(test::FileText(table), tableText);
    const std::string csv = (m_dir / "sub" / ".." / "both.txt").string();
    const RunResult twice =
        RunRunner({"--port", sim.devicePath(), "--numbers", "--csv", csv, "--junit",
                   (m_dir / "both.txt").string(), "--log", (m_dir / "log.txt").string(), table});
    EXPECT_EQ(twice.status, 1);
    EXPECT_EQ(twice.err, "wirevane-run: cannot write the JUnit file " +
                             (m_dir / "both.txt").string() +
                             ": the CSV file is written there too\n");
    // So do settings the port refuses.
    const RunResult refused = RunRunner(
        {"--port", sim.devicePath(), Table({{0, "X"}}, "BAUD=9600\r\nDATA=8\r\nHNDSHK=7\r\n")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("refuses the handshake HNDSHK=7"), std::string::npos) << refused.err;
    EXPECT_EQ(sim.received(), "");
}

// Where the shell sends the runner's standard output, set up in the child before it starts.
struct OutputCase {
    const char* name;
    void (*redirect)();
    int status;
    int error; // the reason the one line on standard error gives, 0 for no line
};

void IntoAFullDisk()
{
    const int full = open("/dev/full", O_WRONLY);
    dup2(full, STDOUT_FILENO);
    close(full);
}

// A pipe whose reader has gone, as into head, with SIGPIPE as a shell leaves it: the run must
// not end there, before its result files are written.
void IntoAReaderThatLeft()
{
    int ends[2];
    if (pipe(ends) != 0)
        return;
    close(ends[0]);
    dup2(ends[1], STDOUT_FILENO);
    close(ends[1]);
    std::signal(SIGPIPE, SIG_DFL);
}

class RunnerOutput : public RunnerTest, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(RunnerOutput, AnOutputThatCannotBeWrittenFailsTheRunOnlyWhenItsReaderIsStillThere)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full here";
    Sim sim(m_dir, {"--lines", "--reply", "OK", "--reply-end", "cr"});
    ASSERT_TRUE(sim.started());
    ChildProcess runner(toolPath("wirevane-run"),
                        {"--port", sim.devicePath(), "--echo", "--cycles", "3",
                         Table({{0, "AT", 1}, {1, "END", 1}})},
                        GetParam().redirect);
    EXPECT_EQ(runner.Wait(20s), GetParam().status) << runner.err();
    // The device is what the run is for: it had every row whatever became of the output.
    EXPECT_EQ(sim.received(21), "AT\rEND\rAT\rEND\rAT\rEND\r");
    if (GetParam().error == 0)
        EXPECT_EQ(runner.err(), "");
    else
        EXPECT_EQ(runner.err(), std::string("wirevane-run: cannot write the terminal's text to "
                                            "standard output: ") +
                                    std::strerror(GetParam().error) + "\n");
}

// Started with its output closed (>&-): the loop's wake-up or the port must not take the
// output's number and receive the terminal's text.
void Closed()
{
    close(STDOUT_FILENO);
}

INSTANTIATE_TEST_SUITE_P(Outputs, RunnerOutput,
                         ::testing::Values(OutputCase{"FullDisk", IntoAFullDisk, 1, ENOSPC},
                                           OutputCase{"ReaderGone", IntoAReaderThatLeft, 0, 0},
                                           OutputCase{"Closed", Closed, 0, 0}),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace wirevane::test
