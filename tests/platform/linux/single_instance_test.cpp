#include "platform/single_instance.h"
#include "support/lock_probe.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::platform {
namespace {

using State = SingleInstanceLock::State;

std::filesystem::path LockFile(const std::filesystem::path& folder, const std::string& name)
{
    return folder / (name + "." + std::to_string(geteuid()) + ".lock");
}

mode_t ModeOf(const std::filesystem::path& path)
{
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// Without a runtime folder the lock goes to the user's own cache, never to the shared /tmp
// where another user could make the file first and keep the program out.
TEST(SingleInstanceLock, WithoutARuntimeFolderTheLockLivesInAFolderOnlyTheUserOwns)
{
    test::ScopedEnvironment environment;
    test::TempDir home;
    environment.Unset("XDG_RUNTIME_DIR");
    environment.Unset("XDG_CACHE_HOME");
    environment.Set("HOME", home.path());

    // A stranger's file of the old name in /tmp, held, keeps nobody out any more.
    const std::filesystem::path squatted = LockFile("/tmp", "LockInTmpTest");
    const int squatter = open(squatted.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(squatter, 0);
    ASSERT_EQ(flock(squatter, LOCK_EX | LOCK_NB), 0);

    const SingleInstanceLock lock = AcquireSingleInstanceLock("LockInTmpTest");
    EXPECT_EQ(lock.state, State::Held) << lock.problem;
    const std::filesystem::path folder = home / ".cache" / "wirevane";
    EXPECT_TRUE(test::IsLockHeld(LockFile(folder, "LockInTmpTest")));
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(home / ".cache"), 0700u);
    EXPECT_EQ(AcquireSingleInstanceLock("LockInTmpTest").state, State::HeldByAnotherCopy);

    close(squatter);
    std::filesystem::remove(squatted);

    test::TempDir cache;
    environment.Set("XDG_CACHE_HOME", cache.path());
    EXPECT_EQ(AcquireSingleInstanceLock("LockInCacheTest").state, State::Held);
    EXPECT_TRUE(test::IsLockHeld(LockFile(cache / "wirevane", "LockInCacheTest")));
}

TEST(SingleInstanceLock, ARuntimeFolderOthersMayWriteIntoIsPassedOver)
{
    test::ScopedEnvironment environment;
    test::TempDir runtime;
    test::TempDir cache;
    environment.Set("XDG_CACHE_HOME", cache.path());
    environment.Set("XDG_RUNTIME_DIR", runtime.path());

    ASSERT_EQ(chmod(runtime.path().c_str(), 0700), 0);
    EXPECT_EQ(AcquireSingleInstanceLock("PrivateRuntimeTest").state, State::Held);
    EXPECT_TRUE(test::IsLockHeld(LockFile(runtime.path(), "PrivateRuntimeTest")));

    ASSERT_EQ(chmod(runtime.path().c_str(), 01777), 0);
    EXPECT_EQ(AcquireSingleInstanceLock("SharedRuntimeTest").state, State::Held);
    EXPECT_FALSE(std::filesystem::exists(LockFile(runtime.path(), "SharedRuntimeTest")));
    EXPECT_TRUE(test::IsLockHeld(LockFile(cache / "wirevane", "SharedRuntimeTest")));
}

// Only "my other copy holds it" keeps the program from starting; any other failure is told,
// with the place, so the caller can warn and go on.
TEST(SingleInstanceLock, ALockThatCannotBeMadeSaysWhereAndWhy)
{
    test::ScopedEnvironment environment;
    environment.Unset("XDG_RUNTIME_DIR");
    test::TempDir cache;
    environment.Set("XDG_CACHE_HOME", cache.path());

    std::ofstream(cache / "wirevane") << "a file where the folder belongs";
    SingleInstanceLock lock = AcquireSingleInstanceLock("BlockedTest");
    EXPECT_EQ(lock.state, State::Unavailable);
    EXPECT_EQ(lock.problem, (cache / "wirevane").string() + ": not a folder");

    std::filesystem::remove(cache / "wirevane");
    std::filesystem::create_directory(cache / "wirevane");
    ASSERT_EQ(chmod((cache / "wirevane").c_str(), 0770), 0);
    lock = AcquireSingleInstanceLock("BlockedTest");
    EXPECT_EQ(lock.state, State::Unavailable);
    EXPECT_EQ(lock.problem,
              (cache / "wirevane").string() + ": other users may write into the folder");
}

} // namespace
} // namespace wirevane::platform
