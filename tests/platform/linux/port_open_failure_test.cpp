#include "platform/linux/terminal_node.h"
#include "platform/port_open_failure.h"
#include "platform/serial_codes.h"
#include "platform/serial_device.h"
#include "support/fifo_writer.h"
#include "support/file_text.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace wirevane::platform {
namespace {

PortOpenFacts DeniedFacts()
{
    PortOpenFacts facts;
    facts.cause = PortOpenFacts::Cause::Permission;
    facts.path = "/dev/ttyUSB0";
    facts.userName = "alice";
    facts.ownerName = "root";
    facts.groupName = "dialout";
    facts.mode = 0660;
    facts.groupMayUse = true;
    return facts;
}

TEST(PortOpenFailureText, APermissionNamesWhatTheUserCanDo)
{
    PortOpenFacts facts = DeniedFacts();
    EXPECT_EQ(PortOpenFailureText(facts),
              "Permission denied for /dev/ttyUSB0: your user is not in the group that owns it "
              "(dialout). Add it with: sudo usermod -aG dialout alice, then log in again.");

    // Added to the group, but this login still has the groups it started with.
    facts.userInGroup = true;
    EXPECT_EQ(PortOpenFailureText(facts),
              "Permission denied for /dev/ttyUSB0: your user was added to the group that owns it "
              "(dialout) after this session began. Log in again.");

    // Joining the group would not help: its members may not use the device either.
    facts.groupMayUse = false;
    facts.mode = 0600;
    EXPECT_EQ(PortOpenFailureText(facts),
              "Permission denied for /dev/ttyUSB0: the device (owner root, group dialout, mode "
              "0600) does not let alice read and write it.");
}

TEST(PortOpenFailureText, ABusyPortNamesItsHoldersWhereKnown)
{
    PortOpenFacts facts;
    facts.cause = PortOpenFacts::Cause::Busy;
    facts.path = "/dev/ttyACM0";
    EXPECT_EQ(PortOpenFailureText(facts), "/dev/ttyACM0 is busy: another program holds it.");
    facts.holders = {{812, "picocom"}};
    EXPECT_EQ(PortOpenFailureText(facts), "/dev/ttyACM0 is busy: held by picocom (process 812).");
    facts.holders = {{812, "picocom"}, {900, "ModemManager"}, {1200, "screen"}};
    EXPECT_EQ(PortOpenFailureText(facts), "/dev/ttyACM0 is busy: held by picocom (process 812), "
                                          "ModemManager (process 900) and screen (process 1200).");
}

TEST(DescribePortOpenFailure, ABusyDeviceNamesTheProcessThatHoldsIt)
{
    test::PtyPair pty;
    PortOpenError error;
    const auto held = OpenSerialDevice(pty.slavePath(), error);
    ASSERT_TRUE(held) << error.code;

    PortOpenError busy;
    ASSERT_EQ(OpenSerialDevice(pty.slavePath(), busy), nullptr);
    ASSERT_EQ(busy.code, ERROR_ACCESS_DENIED);
    std::string ownName;
    std::getline(std::ifstream("/proc/self/comm"), ownName);
    const std::string heldText = pty.slavePath() + " is busy: held by " + ownName + " (process " +
                                 std::to_string(getpid()) + ").";
    EXPECT_EQ(DescribePortOpenFailure(pty.slavePath(), busy), heldText);

    // The reason travels with that failure: later opens on this thread, failed or not, leave
    // it as it was.
    ASSERT_EQ(OpenSerialDevice("/dev/wirevane-no-such-port", error), nullptr);
    test::PtyPair other;
    ASSERT_TRUE(OpenSerialDevice(other.slavePath(), error));
    EXPECT_EQ(DescribePortOpenFailure(pty.slavePath(), busy), heldText);

    // A reason the system gives in its own words already needs none of ours.
    ASSERT_EQ(OpenSerialDevice("/dev/wirevane-no-such-port", error), nullptr);
    EXPECT_EQ(DescribePortOpenFailure("/dev/wirevane-no-such-port", error), "");
}

// Each failed open carries the port error value with the system's code and words from the call
// that failed, whatever failed after it. A name that is no terminal is refused before anything
// opens it, with the words of an open that finds no terminal.
TEST(OpenSerialDevice, ARefusalCarriesTheSystemsCodeAndWordsOfTheFailingCall)
{
    test::TempDir folder;
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::ofstream(folder / "file") << "x";
    struct Case {
        std::string path;
        uint32_t code;
        int systemCode;
    };
    for (const Case& c : {Case{folder / "ttyNone", ERROR_FILE_NOT_FOUND, ENOENT},
                          Case{folder / "fifo", ERROR_INVALID_FUNCTION, ENOTTY},
                          Case{folder / "file", ERROR_INVALID_FUNCTION, ENOTTY},
                          Case{folder.path(), ERROR_INVALID_FUNCTION, ENOTTY},
                          Case{"/dev/null", ERROR_INVALID_FUNCTION, ENOTTY}}) {
        SCOPED_TRACE(c.path);
        PortOpenError error;
        ASSERT_EQ(OpenSerialDevice(c.path, error), nullptr);

        // Another failing call on this thread must not change what the first one said.
        PortOpenError later;
        ASSERT_EQ(
            OpenSerialDevice(c.systemCode == ENOENT ? folder / "fifo" : folder / "ttyNone", later),
            nullptr);
        ASSERT_NE(later.systemCode, c.systemCode);

        EXPECT_EQ(error.code, c.code);
        EXPECT_EQ(error.systemCode, c.systemCode);
        EXPECT_EQ(error.systemText, std::strerror(c.systemCode));
    }
}

// Opening a device is not harmless (a watchdog starts, a tape rewinds on close), and a port's
// name may come from someone else's settings file: a FIFO's writer waiting for its reader must
// still be waiting after the port refused it, and the system's own devices other than
// terminals are refused by their class. Terminals, listed or not, pass.
TEST(OpenSerialDevice, ANameThatIsNoTerminalIsNotOpened)
{
    test::TempDir folder;
    test::WaitingFifoWriter fifo(folder / "ttyFIFO");
    ASSERT_TRUE(fifo.waitsInOpen());
    PortOpenError error;
    EXPECT_EQ(OpenSerialDevice(folder / "ttyFIFO", error), nullptr);
    EXPECT_FALSE(fifo.released()) << "the port opened the FIFO";

    EXPECT_EQ(RefuseNonTerminalNode("/dev/null"), ENOTTY);
    EXPECT_EQ(RefuseNonTerminalNode("/dev/urandom"), ENOTTY);
    EXPECT_EQ(RefuseNonTerminalNode("/dev/ptmx"), 0);
    test::PtyPair pty;
    EXPECT_EQ(RefuseNonTerminalNode(pty.slavePath()), 0);
    EXPECT_EQ(RefuseNonTerminalNode(folder / "ttyNone"), ENOENT);
}

// The kernel refuses only a user without the right: root is let in whatever the bits say. So
// a child gives up root for the unprivileged user "nobody" and meets a device of a group it
// is not in, as a user new to the serial group does.
TEST(DescribePortOpenFailure, ADeviceOfAGroupTheUserIsNotInNamesTheGroupAndTheCommand)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to give the device to a group and to become another user";
    const group* dialout = getgrnam("dialout");
    const gid_t gid = dialout != nullptr ? dialout->gr_gid : 20;
    const std::string groupName = dialout != nullptr ? dialout->gr_name : "20";
    test::PtyPair pty;
    ASSERT_EQ(chown(pty.slavePath().c_str(), 0, gid), 0);
    ASSERT_EQ(chmod(pty.slavePath().c_str(), 0660), 0);

    test::TempDir dir;
    const pid_t child = fork();
    if (child == 0) {
        // Opened while still root: nobody may not write into the test's folder.
        std::ofstream answer(dir / "answer");
        std::string text = "could not become nobody";
        if (setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0) {
            PortOpenError error;
            const auto device = OpenSerialDevice(pty.slavePath(), error);
            text =
                std::to_string(error.code) + " " + DescribePortOpenFailure(pty.slavePath(), error);
        }
        answer << text << std::flush;
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    const std::string text = test::FileText(dir / "answer");

    const passwd* nobody = getpwuid(65534);
    const std::string user = nobody != nullptr ? nobody->pw_name : "65534";
    EXPECT_EQ(text, "5 Permission denied for " + pty.slavePath() +
                        ": your user is not in the group that owns it (" + groupName +
                        "). Add it with: sudo usermod -aG " + groupName + " " + user +
                        ", then log in again.");
}

} // namespace
} // namespace wirevane::platform
