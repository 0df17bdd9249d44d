#include "app/single_copy_channel.h"
#include "app/wirevane_app.h"
#include "platform/single_instance.h"
#include "support/child_process.h"
#include "support/lock_probe.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"
#include "support/wait_until.h"

#include <QTest>
#include <QWidget>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace wirevane {
namespace {

using namespace std::chrono_literals;

std::filesystem::path ProgramPath()
{
    return test::binaryDir() / "app" / "main" / "wirevane";
}

// The program, offscreen, with a runtime folder of the test's own for its lock and channel.
class SingleCopyGuard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(ProgramPath())) << ProgramPath();
        std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all);
        environment.Set("XDG_RUNTIME_DIR", runtime.path());
        environment.Set("QT_QPA_PLATFORM", "offscreen");
    }

    test::ScopedEnvironment environment;
    test::TempDir runtime;
};

TEST_F(SingleCopyGuard, TheSecondCopyOfTheProgramEndsAtOnceAndLeavesTheFirstRunning)
{
    const std::filesystem::path lockFile =
        runtime.path() / ("UniqueName_Wirevane." + std::to_string(getuid()) + ".lock");

    test::ChildProcess first(ProgramPath(), {});
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(test::WaitUntil([&] { return test::IsLockHeld(lockFile); }, 5s));

    test::ChildProcess second(ProgramPath(), {});
    const std::optional<int> status = second.Wait(10s);
    ASSERT_TRUE(status.has_value()) << "the second copy kept running";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(second.out(), "");
    EXPECT_FALSE(first.Wait(200ms).has_value()) << "the first copy ended";
    first.Signal(SIGTERM);
    first.Wait(10s);
}

// The program as a second copy, against a running copy played by this test: it asks for the
// main window once and ends with status 0. The channel lies beside the lock, in the folder the
// lock found private, also without a runtime folder, where Qt's own choice would be in /tmp.
class SingleCopyChannel : public SingleCopyGuard, public ::testing::WithParamInterface<bool> {};

TEST_P(SingleCopyChannel, TheSecondCopyAsksTheRunningOneToShowItsMainWindow)
{
    const bool runtimeFolder = GetParam();
    test::TempDir home;
    std::filesystem::path folder = runtime.path();
    if (!runtimeFolder) {
        environment.Unset("XDG_RUNTIME_DIR");
        environment.Unset("XDG_CACHE_HOME");
        environment.Set("HOME", home.path());
        folder = home / ".cache" / "wirevane";
    }
    const platform::SingleInstanceLock lock =
        platform::AcquireSingleInstanceLock(CWirevaneApp::kInstanceName);
    ASSERT_EQ(lock.state, platform::SingleInstanceLock::State::Held);
    EXPECT_EQ(lock.channel.parent_path(), folder);
    const QString channel = QString::fromStdString(lock.channel.string());

    QWidget mainWindow;
    mainWindow.showMinimized();
    int requests = 0;
    SingleCopyServer server(channel, [&] {
        ++requests;
        mainWindow.showNormal();
    });
    ASSERT_TRUE(server.isListening());

    test::ChildProcess second(ProgramPath(), {});
    const std::optional<int> status = second.Wait(10s);
    ASSERT_TRUE(status.has_value()) << "the second copy kept running";
    EXPECT_EQ(*status, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return requests > 0; }, 10000));
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(mainWindow.isMinimized());
    EXPECT_EQ(second.err(), "");

    // What a copy that crashed leaves behind does not keep the next copy from listening.
    const QString leftOver = channel + QStringLiteral(".old");
    std::ofstream(leftOver.toStdString()) << "";
    SingleCopyServer again(leftOver, [] {});
    EXPECT_TRUE(again.isListening());
}

INSTANTIATE_TEST_SUITE_P(Folders, SingleCopyChannel, ::testing::Bool(), [](const auto& test) {
    return std::string(test.param ? "RuntimeFolder" : "NoRuntimeFolder");
});

// A lock that cannot be made at all (here: the folder for it is a file) must not keep the user
// from working: the program says why and starts.
TEST_F(SingleCopyGuard, AProgramThatCannotTakeTheLockStartsAndSaysWhy)
{
    test::TempDir home;
    std::filesystem::create_directories(home / ".cache");
    std::ofstream(home / ".cache" / "wirevane") << "in the way";
    environment.Unset("XDG_RUNTIME_DIR");
    environment.Unset("XDG_CACHE_HOME");
    environment.Set("HOME", home.path());

    test::ChildProcess program(ProgramPath(), {});
    ASSERT_TRUE(program.started());
    // The warning is written before the window is made; the program is still there after it.
    for (int i = 0; i < 500 && program.err().find('\n') == std::string::npos; ++i)
        if (program.Wait(10ms).has_value())
            break;
    EXPECT_NE(program.err().find("single-copy lock"), std::string::npos) << program.err();
    EXPECT_NE(program.err().find((home / ".cache" / "wirevane").string()), std::string::npos);
    EXPECT_FALSE(program.Wait(200ms).has_value()) << "the program ended: " << program.err();
    program.Signal(SIGTERM);
    program.Wait(10s);
}

} // namespace
} // namespace wirevane
