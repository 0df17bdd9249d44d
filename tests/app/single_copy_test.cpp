#include "platform/single_instance.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace wirevane {
namespace {

using namespace std::chrono_literals;

std::filesystem::path ProgramPath()
{
    return test::binaryDir() / "app" / "main" / "wirevane";
}

// True once some process holds the lock file's lock.
bool IsLockHeld(const std::filesystem::path& lockFile)
{
    const int fd = open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
    return held;
}

// The lock lives as long as the process that took it; another process cannot take it then.
TEST(SingleCopyGuard, ASecondProcessCannotTakeTheLockUntilTheFirstEnds)
{
    test::TempDir runtime;
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        const char answer = platform::AcquireSingleInstanceLock("GuardTest") ? 'y' : 'n';
        [[maybe_unused]] const ssize_t written = write(ready[1], &answer, 1);
        pause();
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    EXPECT_EQ(answer, 'y');
    EXPECT_FALSE(platform::AcquireSingleInstanceLock("GuardTest"));
    EXPECT_TRUE(platform::AcquireSingleInstanceLock("AnotherName"));

    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_TRUE(platform::AcquireSingleInstanceLock("GuardTest"));
    close(ready[0]);
    close(ready[1]);
    unsetenv("XDG_RUNTIME_DIR");
}

TEST(SingleCopyGuard, TheSecondCopyOfTheProgramEndsAtOnceAndLeavesTheFirstRunning)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramPath())) << ProgramPath();
    test::TempDir runtime;
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::filesystem::path lockFile =
        runtime.path() / ("UniqueName_Wirevane." + std::to_string(getuid()) + ".lock");

    test::ChildProcess first(ProgramPath(), {});
    ASSERT_TRUE(first.started());
    for (int i = 0; i < 500 && !IsLockHeld(lockFile); ++i)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(IsLockHeld(lockFile));

    test::ChildProcess second(ProgramPath(), {});
    const std::optional<int> status = second.Wait(10s);
    ASSERT_TRUE(status.has_value()) << "the second copy kept running";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(second.out(), "");
    EXPECT_FALSE(first.Wait(200ms).has_value()) << "the first copy ended";
    first.Signal(SIGTERM);
    first.Wait(10s);
    unsetenv("XDG_RUNTIME_DIR");
}

} // namespace
} // namespace wirevane
