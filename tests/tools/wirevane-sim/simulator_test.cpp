#include "core/tester_frame.h"
#include "platform/linux/port_registration.h"
#include "platform/linux/port_sources.h"
#include "serial/serial.h"
#include "support/child_process.h"
#include "support/file_text.h"
#include "support/pty_pair.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"
#include "support/wait_until.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace wirevane {
namespace {

using test::SimProcess;
using test::TempDir;

// Collects what the device sends until count bytes arrived or ten seconds passed.
std::string Receive(CSerial& port, std::size_t count)
{
    std::string got;
    test::WaitUntil([&] {
        char chunk[4096];
        uint32_t n = 0;
        port.Read(chunk, static_cast<uint32_t>(std::min(sizeof chunk, count - got.size())), &n);
        got.append(chunk, n);
        return got.size() >= count;
    });
    return got;
}

TEST(Simulator, AnnouncesItsPortWhileItRunsWithdrawsItOnExitAndLosesItsNameWhenKilled)
{
    TempDir ports;
    platform::PortSources sources;
    sources.simulatorDir = ports.path();
    std::string first;
    {
        SimProcess sim({"--ports-dir", ports.path().string(), "--name", "bench"});
        ASSERT_TRUE(sim.started());
        SimProcess second({"--ports-dir", ports.path().string(), "--name", "bench"});
        ASSERT_TRUE(second.started());
        first = sim.devicePath();
        EXPECT_EQ(platform::PortNameFromPath(first), "bench0");
        EXPECT_EQ(platform::PortNameFromPath(second.devicePath()), "bench1");

        const auto listed = platform::EnumeratePorts(sources);
        const std::vector<platform::PortEntry> simulated(listed.end() - 2, listed.end());
        EXPECT_EQ(simulated, (std::vector<platform::PortEntry>{{"bench0", "wirevane-sim"},
                                                               {"bench1", "wirevane-sim"}}));
        EXPECT_EQ(platform::PortDevicePath("bench1", sources), second.devicePath());

        CSerial port;
        EXPECT_EQ(port.Open(sim.devicePathU16()), 0u);
        second.Signal(SIGINT);
        EXPECT_EQ(second.WaitForExit(), 0);
        EXPECT_FALSE(std::filesystem::exists(ports / "bench1"));
    }
    EXPECT_FALSE(std::filesystem::exists(first));

    // The simulator killed at once leaves its link and lock file; the link is then pointed at a
    // pseudo-terminal someone else opened, as when the freed number goes to the next program.
    const std::filesystem::path link = ports / "wvsim0";
    {
        SimProcess killed({"--ports-dir", ports.path().string()});
        ASSERT_TRUE(killed.started());
        ASSERT_EQ(killed.devicePath(), link.string());
        ASSERT_TRUE(platform::LiveRegistration(link));
        killed.Signal(SIGKILL);
        killed.WaitForExit();
    }
    test::PtyPair stranger;
    std::filesystem::remove(link);
    std::filesystem::create_symlink(stranger.slavePath(), link);
    platform::PortSources folderOnly{"/nonexistent", "/dev", ports.path()};

    EXPECT_FALSE(platform::LiveRegistration(link));
    EXPECT_TRUE(platform::EnumeratePorts(folderOnly).empty());
    EXPECT_EQ(platform::PortDevicePath("wvsim0", folderOnly), "/dev/wvsim0");
    EXPECT_EQ(platform::ReopenableDevice(link.string(), folderOnly), std::nullopt);

    SimProcess next({"--ports-dir", ports.path().string()});
    ASSERT_TRUE(next.started());
    EXPECT_EQ(next.devicePath(), link.string());
    EXPECT_EQ(platform::EnumeratePorts(folderOnly),
              (std::vector<platform::PortEntry>{{"wvsim0", "wirevane-sim"}}));
    EXPECT_NE(std::filesystem::canonical(link), std::filesystem::canonical(stranger.slavePath()));
}

// Where the simulator would announce and why it must not, said on its standard error.
struct RefusedAnnouncement {
    const char* name;
    std::vector<std::string> args;
    bool othersFolder; // the ports folder is given to another user, and the message names it
    std::string reason;
};

void PrintTo(const RefusedAnnouncement& refused, std::ostream* out)
{
    *out << refused.name;
}

class SimulatorRefusesToAnnounce : public ::testing::TestWithParam<RefusedAnnouncement> {};

TEST_P(SimulatorRefusesToAnnounce, AndSaysWhy)
{
    TempDir root;
    const std::filesystem::path folder = root / "ports";
    std::filesystem::create_directory(folder);
    if (GetParam().othersFolder) {
        ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
    }
    std::vector<std::string> args{"--ports-dir", folder.string()};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    test::ChildProcess sim(test::toolPath("wirevane-sim"), args);
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(sim.Wait(std::chrono::seconds(10)), 1);
    EXPECT_EQ(sim.out(), "");
    EXPECT_EQ(sim.err(), "wirevane-sim: cannot announce the port: " +
                             (GetParam().othersFolder ? folder.string() + ": " : "") +
                             GetParam().reason + " (see --ports-dir, --name, --no-announce)\n");
}

INSTANTIATE_TEST_SUITE_P(
    Simulator, SimulatorRefusesToAnnounce,
    ::testing::Values(
        RefusedAnnouncement{"AnotherUsersFolder", {}, true, "the folder belongs to another user"},
        RefusedAnnouncement{"ASystemPortsName",
                            {"--name", "ttyUSB"},
                            false,
                            "the name ttyUSB belongs to the system's serial ports"}),
    [](const auto& tested) { return std::string(tested.param.name); });

// A simulator started with the given arguments and its port opened.
struct OpenedSimulator {
    explicit OpenedSimulator(const std::vector<std::string>& args) : sim(args)
    {
        EXPECT_TRUE(sim.started());
        EXPECT_EQ(port.Open(sim.devicePathU16()), 0u);
    }
    // Whether the simulator has closed its end of the line.
    bool HungUp()
    {
        char byte = 0;
        return port.Read(&byte, 1) == ERROR_IO_DEVICE;
    }

    SimProcess sim;
    CSerial port;
};

// The first bytes of a flood of the given count, without --byte: 00, 01, ... FF, 00, ...
void ExpectFloodPattern(const std::string& count, std::size_t looked)
{
    OpenedSimulator flood({"--no-announce", "--flood", count});
    const std::string got = Receive(flood.port, looked);
    ASSERT_EQ(got.size(), looked);
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(static_cast<uint8_t>(got[i]), static_cast<uint8_t>(i)) << i;
}

TEST(Simulator, EchoesAndLogsExactlyWhatItReceivedAndFloodsTheWholeCountInPattern)
{
    TempDir logs;
    OpenedSimulator device(
        {"--no-announce", "--log", (logs / "raw").string(), "--hex-log", (logs / "hex").string()});
    const std::string sent("A\r\n\x00\xFF", 5);
    ASSERT_EQ(device.port.Write(sent.data(), static_cast<uint32_t>(sent.size())), 0u);
    EXPECT_EQ(Receive(device.port, sent.size()), sent);
    EXPECT_TRUE(test::WaitUntil([&] { return test::FileText(logs / "raw") == sent; }));
    EXPECT_TRUE(
        test::WaitUntil([&] { return test::FileText(logs / "hex") == "41 0D 0A 00 FF\n"; }));

    ExpectFloodPattern("100000", 100000);
}

// What the device cannot send yet waits within a bound: an echo that no one reads stops taking
// bytes, as a device without room holds the line, and loses none of them; a flood is made as
// the port takes it, whatever its count.
TEST(Simulator, HoldsTheLineWhenNoOneReadsAndFloodsMoreThanTheMemoryHolds)
{
    SimProcess echo({"--no-announce"});
    ASSERT_TRUE(echo.started());
    const int fd = open(echo.devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    constexpr std::size_t kOffered = std::size_t{4} << 20;
    std::string sent;
    using std::chrono::steady_clock;
    auto lastTaken = steady_clock::now();
    while (sent.size() < kOffered &&
           steady_clock::now() - lastTaken < std::chrono::milliseconds(300)) {
        char chunk[4096];
        for (std::size_t i = 0; i < sizeof chunk; ++i)
            chunk[i] = static_cast<char>((sent.size() + i) % 251);
        const ssize_t put = write(fd, chunk, sizeof chunk);
        if (put > 0) {
            sent.append(chunk, static_cast<std::size_t>(put));
            lastTaken = steady_clock::now();
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    EXPECT_LT(sent.size(), kOffered / 2);
    std::string back;
    test::WaitUntil([&] {
        char chunk[65536];
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got > 0)
            back.append(chunk, static_cast<std::size_t>(got));
        return back.size() >= sent.size();
    });
    close(fd);
    EXPECT_EQ(back.size(), sent.size());
    EXPECT_TRUE(back == sent);

    ExpectFloodPattern("1000000000000", 300000);
}

// A log is the record of what came: one that stops is said at once, and the exit says so.
TEST(Simulator, SaysWhenItsLogStopsAndEndsWithAFailure)
{
    test::ChildProcess sim(test::toolPath("wirevane-sim"), {"--no-announce", "--log", "/dev/full"});
    const std::optional<std::string> path = sim.FirstLine(std::chrono::seconds(10));
    ASSERT_TRUE(path);
    CSerial port;
    ASSERT_EQ(port.Open(std::u16string(path->begin(), path->end())), 0u);
    ASSERT_EQ(port.Write("abc"), 0u);
    EXPECT_EQ(Receive(port, 3), "abc");
    sim.Signal(SIGTERM);
    EXPECT_EQ(sim.Wait(std::chrono::seconds(10)), 1);
    EXPECT_NE(sim.err().find("wirevane-sim: the log /dev/full stopped: No space left on device\n"),
              std::string::npos)
        << sim.err();
}

// A FIFO no one reads would hold the log's open, and the device with it, for ever.
TEST(Simulator, RefusesALogIntoAFifoNoOneReads)
{
    TempDir dir;
    const std::filesystem::path fifo = dir / "log";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    test::ChildProcess sim(test::toolPath("wirevane-sim"),
                           {"--no-announce", "--log", fifo.string()});
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(sim.Wait(std::chrono::seconds(10)), 1);
    EXPECT_EQ(sim.err(),
              "wirevane-sim: cannot write the log " + fifo.string() + ": a FIFO no one reads\n");
}

// Another user's link in a shared folder may lead the log into any folder of the user's, and
// another user's file there would hand them the log: the device does not start on either.
// Giving a link or a file to another owner takes root.
TEST(Simulator, DoesNotLogIntoWhatAnotherUserLeftInASharedFolder)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a link and a file to another owner";
    TempDir dir;
    const std::filesystem::path shared = dir / "shared";
    std::filesystem::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    std::filesystem::create_symlink(dir.path(), shared / "folder");
    ASSERT_EQ(::lchown((shared / "folder").c_str(), 54321, 54321), 0);
    std::ofstream(shared / "theirs") << "";
    ASSERT_EQ(::chown((shared / "theirs").c_str(), 54321, 54321), 0);
    ASSERT_EQ(::chmod((shared / "theirs").c_str(), 0666), 0);

    const std::pair<std::filesystem::path, std::string> refusals[] = {
        {shared / "folder" / "received", "Not followed: another user's link in a shared folder"},
        {shared / "theirs", "Not written: another user's file in a shared folder"},
    };
    for (const auto& [log, reason] : refusals) {
        test::ChildProcess sim(test::toolPath("wirevane-sim"),
                               {"--no-announce", "--log", log.string()});
        ASSERT_TRUE(sim.started());
        EXPECT_EQ(sim.Wait(std::chrono::seconds(10)), 1);
        EXPECT_EQ(sim.err(),
                  "wirevane-sim: cannot write the log " + log.string() + ": " + reason + "\n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "received"));
    EXPECT_EQ(std::filesystem::file_size(shared / "theirs"), 0u);
}

TEST(Simulator, AnswersEachLineWhateverItsEnd)
{
    OpenedSimulator device(
        {"--no-announce", "--lines", "--reply", "V=\\x31", "--reply-end", "cr", "--delay", "20"});
    // CR LF is one line end; CR alone and LF alone end a line each.
    ASSERT_EQ(device.port.Write("MEAS?\r\nA\rB\n"), 0u);
    EXPECT_EQ(Receive(device.port, 12), "V=1\rV=1\rV=1\r");
    ASSERT_EQ(device.port.Write("half"), 0u);
    ASSERT_EQ(device.port.Write(" line\n"), 0u);
    EXPECT_EQ(Receive(device.port, 4), "V=1\r");
}

TEST(Simulator, StreamsMeterFramesThatDecodeToTheReadingGiven)
{
    OpenedSimulator device(
        {"--no-announce", "--meter", "--reading", "AC -12.34 V", "--rate", "50"});
    const std::string stream = Receive(device.port, 3 * 14);
    ASSERT_EQ(stream.size(), 3u * 14);
    // Frames may be joined anywhere in the stream; every byte names its place.
    TesterFrame frame{};
    int complete = 0;
    for (char c : stream) {
        const auto b = static_cast<uint8_t>(c);
        const int place = b >> 4;
        ASSERT_GE(place, 1);
        frame[static_cast<std::size_t>(place - 1)] = b;
        if (place == 14) {
            ++complete;
            EXPECT_EQ(FormatTesterReading(DecodeTesterFrame(frame)), u"AC -12.34 V\r\n");
        }
    }
    EXPECT_GE(complete, 2);
    const TesterFrame expected{0x18, 0x28, 0x35, 0x45, 0x5B, 0x69, 0x7F,
                               0x82, 0x97, 0xA0, 0xB0, 0xC0, 0xD4, 0xE0};
    EXPECT_EQ(frame, expected);
}

// The simulator closes its end after its script, after the given count of bytes, or on SIGUSR1.
TEST(Simulator, RunsAScriptOfExpectAndSendStepsAndHangsUpAfterItTheGivenCountOrOnSigusr1)
{
    TempDir dir;
    std::ofstream(dir / "dialog.txt") << "# a modem-like exchange\n"
                                         "expect AT\\r\n"
                                         "send OK\\r\\n\n"
                                         "expect ATD\n"
                                         "delay 30\n"
                                         "send CONNECT\\r\\n\n"
                                         "close\n";
    OpenedSimulator device({"--no-announce", "--script", (dir / "dialog.txt").string()});
    ASSERT_EQ(device.port.Write("AT\r"), 0u);
    EXPECT_EQ(Receive(device.port, 4), "OK\r\n");
    ASSERT_EQ(device.port.Write("ATD123\r"), 0u);
    EXPECT_EQ(Receive(device.port, 9), "CONNECT\r\n");
    EXPECT_EQ(device.sim.WaitForExit(), 0);
    EXPECT_TRUE(device.HungUp());

    OpenedSimulator counted({"--no-announce", "--close-after", "4"});
    ASSERT_EQ(counted.port.Write("1234"), 0u);
    EXPECT_EQ(counted.sim.WaitForExit(), 0);
    EXPECT_TRUE(counted.HungUp());
    OpenedSimulator signalled({"--no-announce"});
    signalled.sim.Signal(SIGUSR1);
    EXPECT_EQ(signalled.sim.WaitForExit(), 0);
    EXPECT_TRUE(signalled.HungUp());
}

// The script keeps of what it received only what an expected text may still be in, and so still
// finds one whose start came in an earlier chunk, after much else, or while it paused.
TEST(Simulator, FindsAnExpectedTextAfterMuchElseWhetherItWaitedOrPaused)
{
    TempDir dir;
    std::ofstream(dir / "steps.txt") << "expect ABC\nsend 1\ndelay 300\nexpect END\nsend 2\n";
    OpenedSimulator device({"--no-announce", "--script", (dir / "steps.txt").string()});
    const std::string noise(100'000, 'x');
    const auto write = [&](const std::string& bytes) {
        return device.port.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    };
    ASSERT_EQ(write(noise + "AB"), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(device.port.Write("C"), 0u);
    EXPECT_EQ(Receive(device.port, 1), "1");
    ASSERT_EQ(write("END" + noise), 0u);
    EXPECT_EQ(Receive(device.port, 1), "2");
}

// A shell's process substitution hands the script over a pipe; what cannot be read whole, a
// folder or an endless device, is refused before the port is made.
TEST(Simulator, ReadsAScriptFromAPipeAndRefusesOneItCannotReadWhole)
{
    TempDir dir;
    const std::filesystem::path pipe = dir / "script";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // The writer waits for a reader only so long: a simulator that never opens the pipe fails
    // the test rather than hanging it.
    std::thread writer([&] {
        int fd = -1;
        test::WaitUntil([&] {
            fd = open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            return fd >= 0;
        });
        const std::string script = "expect AT\\r\nsend OK\\r\\n\n";
        if (fd < 0)
            return;
        const ssize_t put = write(fd, script.data(), script.size());
        close(fd);
        EXPECT_EQ(put, static_cast<ssize_t>(script.size()));
    });
    {
        OpenedSimulator device({"--no-announce", "--script", pipe.string()});
        writer.join();
        ASSERT_EQ(device.port.Write("AT\r"), 0u);
        EXPECT_EQ(Receive(device.port, 4), "OK\r\n");
    }

    const std::string folder = dir.path().string();
    for (const auto& [path, refusal] :
         {std::pair<std::string, std::string>{folder, "cannot read the script " + folder +
                                                          ": Is a directory"},
          {"/dev/zero", "the script /dev/zero is longer than 4 MiB"}}) {
        test::ChildProcess sim(test::toolPath("wirevane-sim"), {"--no-announce", "--script", path});
        ASSERT_TRUE(sim.started());
        EXPECT_EQ(sim.Wait(std::chrono::seconds(10)), 1) << path;
        EXPECT_EQ(sim.out(), "");
        EXPECT_EQ(sim.err(), "wirevane-sim: " + refusal + "\n");
    }
}

// Whether the port is exclusive: a new open is refused, or, for root, whom that does not refuse,
// the port says so.
bool Exclusive(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY;
    int exclusive = 0;
    ioctl(fd, TIOCGEXCL, &exclusive);
    close(fd);
    return exclusive != 0;
}

// A program killed while it holds the port leaves the exclusivity behind but not its lock, which
// goes with the process; the simulator then gives the port back, but never while it is held.
TEST(Simulator, GivesBackAPortLeftExclusiveByAKilledProgramButNotAHeldOne)
{
    SimProcess sim({"--no-announce"});
    ASSERT_TRUE(sim.started());
    {
        CSerial held;
        ASSERT_EQ(held.Open(sim.devicePathU16()), 0u);
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        EXPECT_TRUE(Exclusive(sim.devicePath())) << "a held port stays exclusive";
    }
    EXPECT_FALSE(Exclusive(sim.devicePath()));

    const int killed = open(sim.devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(killed, 0);
    ASSERT_EQ(flock(killed, LOCK_EX | LOCK_NB), 0);
    ASSERT_EQ(ioctl(killed, TIOCEXCL), 0);
    close(killed);
    ASSERT_TRUE(Exclusive(sim.devicePath()));
    EXPECT_TRUE(test::WaitUntil([&] { return !Exclusive(sim.devicePath()); }));
}

TEST(Simulator, RefusesBadArgumentsWithAMessage)
{
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--reading", "AC 12345 V"},
                                                {"--frame", "18 28"},
                                                {"--reply", "\\q"}}) {
        SimProcess sim(bad);
        EXPECT_FALSE(sim.started());
        EXPECT_EQ(sim.WaitForExit(), 2) << bad.front();
    }
}

} // namespace
} // namespace wirevane
