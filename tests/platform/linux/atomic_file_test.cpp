#include "platform/atomic_file.h"
#include "platform/output_file.h"
#include "support/fifo_writer.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::platform {
namespace {

std::vector<uint8_t> bytesOf(std::string_view text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string contentOf(const std::filesystem::path& path)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes).ok());
    return std::string(bytes.begin(), bytes.end());
}

struct stat StatOf(const std::filesystem::path& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info;
}

int entriesIn(const std::filesystem::path& folder)
{
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A fresh folder and the name of the file the test saves in it.
class AtomicFile : public ::testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "a.ini";

    // A folder like /tmp: every user may write to it, and each keeps their own entries there.
    // The shared-folder cases give entries to another owner, which takes root.
    std::filesystem::path SharedFolder()
    {
        std::filesystem::path shared = dir / "shared";
        std::filesystem::create_directory(shared);
        EXPECT_EQ(::chmod(shared.c_str(), 01777), 0);
        return shared;
    }
};

TEST_F(AtomicFile, CreatesAndReplacesWholeFiles)
{
    ASSERT_TRUE(ReplaceFileAtomically(file, bytesOf("first")).ok());
    EXPECT_EQ(contentOf(file), "first");

    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(ReplaceFileAtomically(file, bytesOf("second, longer")).ok());
    EXPECT_EQ(contentOf(file), "second, longer");
    EXPECT_EQ(StatOf(file).st_mode & 0777, 0640u);
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST_F(AtomicFile, InterruptedReplacementLeavesTheOldFile)
{
    ASSERT_TRUE(ReplaceFileAtomically(file, bytesOf("old whole file")).ok());

    std::filesystem::path seenTemporary;
    FileError error = ReplaceFileAtomically(
        file, bytesOf("new"), [&seenTemporary](const std::filesystem::path& temporary) {
            seenTemporary = temporary;
            EXPECT_EQ(contentOf(temporary), "new");
            return FileError::fromErrno(EIO);
        });
    EXPECT_EQ(error.code, EIO);
    EXPECT_FALSE(error.message.empty());
    EXPECT_EQ(contentOf(file), "old whole file");
    EXPECT_EQ(seenTemporary.parent_path(), dir.path());
    EXPECT_FALSE(std::filesystem::exists(seenTemporary));
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST_F(AtomicFile, ReportsAFolderThatCannotHoldTheFile)
{
    std::ofstream(dir / "plain") << "not a folder";
    FileError error = ReplaceFileAtomically(dir / "plain" / "a.ini", bytesOf("x"));
    EXPECT_EQ(error.code, ENOTDIR);

    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(dir / "missing.ini", bytes).notFound());
    EXPECT_EQ(ReadWholeFile(dir.path(), bytes).code, EISDIR);
}

// The refusal must hold for root too, who may open any file: so the test runs as whoever runs
// the suite, and the check it exercises is the permission bits', not the kernel's.
TEST_F(AtomicFile, RefusesATargetTheUserMayNotWriteAndWritesThroughALink)
{
    ASSERT_TRUE(ReplaceFileAtomically(file, bytesOf("kept")).ok());
    ::chmod(file.c_str(), 0444);

    FileError error = ReplaceFileAtomically(file, bytesOf("lost"));
    EXPECT_EQ(error.code, EACCES);
    EXPECT_EQ(error.message, "Permission denied");
    EXPECT_EQ(contentOf(file), "kept");
    EXPECT_EQ(StatOf(file).st_mode & 07777, 0444u);
    EXPECT_EQ(entriesIn(dir.path()), 1);

    // Through a link the file it names decides, and is the one replaced.
    std::filesystem::create_symlink(file, dir / "link.ini");
    EXPECT_EQ(ReplaceFileAtomically(dir / "link.ini", bytesOf("lost")).code, EACCES);
    EXPECT_EQ(contentOf(file), "kept");
    ::chmod(file.c_str(), 0644);
    ASSERT_TRUE(ReplaceFileAtomically(dir / "link.ini", bytesOf("new")).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(contentOf(file), "new");
}

// Another user's link in a shared folder such as /tmp may name any file of this user's: a save
// or a log through it, or through a chain that passes it, is refused and the file stays. The
// user's own link there is followed. Giving a link to another owner takes root.
TEST_F(AtomicFile, ALinkAnotherUserLeftInASharedFolderIsNotFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a link to another owner";
    const std::filesystem::path shared = SharedFolder();
    ASSERT_TRUE(ReplaceFileAtomically(file, bytesOf("mine")).ok());
    std::filesystem::create_symlink(file, shared / "left.ini");
    ASSERT_EQ(::lchown((shared / "left.ini").c_str(), 54321, 54321), 0);
    std::filesystem::create_symlink(shared / "left.ini", dir / "chain.ini");
    // A folder of the path that is such a link leads as far: into any folder of the user's.
    std::filesystem::create_symlink(dir.path(), shared / "folder");
    ASSERT_EQ(::lchown((shared / "folder").c_str(), 54321, 54321), 0);
    std::filesystem::create_symlink("./shared/../shared/folder", dir / "relative");

    for (const std::filesystem::path& target :
         {shared / "left.ini", dir / "chain.ini", shared / "folder" / file.filename(),
          dir / "relative" / file.filename(), dir / "relative" / "new.ini"}) {
        EXPECT_EQ(CheckReplaceable(target).code, EACCES) << target;
        const FileError error = ReplaceFileAtomically(target, bytesOf("lost"));
        EXPECT_EQ(error.code, EACCES) << target;
        EXPECT_EQ(error.message, "Not followed: another user's link in a shared folder");
        OutputFile log;
        EXPECT_EQ(log.Open(target, true).code, EACCES) << target;
    }
    EXPECT_EQ(contentOf(file), "mine");
    EXPECT_FALSE(std::filesystem::exists(dir / "new.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(shared / "left.ini"));

    std::filesystem::create_symlink(file, shared / "own.ini");
    ASSERT_TRUE(ReplaceFileAtomically(shared / "own.ini", bytesOf("new")).ok());
    OutputFile log;
    ASSERT_TRUE(log.Open(shared / "own.ini", true).ok());
    ASSERT_TRUE(log.WriteAll(bytesOf(" line")).ok());
    log.Close();
    EXPECT_EQ(contentOf(file), "new line");
}

// A file another user made in a shared folder is theirs to read and change: neither a save nor a
// log writes into it, directly or through the user's own link, and it keeps its content. A
// file of the folder's owner there is written, as the kernel's own rule has it.
TEST_F(AtomicFile, AFileAnotherUserMadeInASharedFolderIsNotWritten)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a file to another owner";
    const std::filesystem::path shared = SharedFolder();
    const std::filesystem::path theirs = shared / "theirs.log";
    ASSERT_TRUE(ReplaceFileAtomically(theirs, bytesOf("theirs")).ok());
    ASSERT_EQ(::chown(theirs.c_str(), 54321, 54321), 0);
    ASSERT_EQ(::chmod(theirs.c_str(), 0666), 0);
    std::filesystem::create_symlink(theirs, dir / "mine.log");

    for (const std::filesystem::path& target : {theirs, dir / "mine.log"}) {
        const FileError error = ReplaceFileAtomically(target, bytesOf("lost"));
        EXPECT_EQ(error.code, EACCES) << target;
        EXPECT_EQ(error.message, "Not written: another user's file in a shared folder");
        EXPECT_EQ(CheckReplaceable(target).code, EACCES) << target;
        for (const bool append : {true, false}) {
            OutputFile log;
            EXPECT_EQ(log.Open(target, append).code, EACCES) << target << " append " << append;
        }
    }
    EXPECT_EQ(contentOf(theirs), "theirs");
    EXPECT_EQ(StatOf(theirs).st_uid, 54321u);

    ASSERT_EQ(::chown(shared.c_str(), 54321, 54321), 0);
    OutputFile log;
    ASSERT_TRUE(log.Open(theirs, true).ok());
    ASSERT_TRUE(log.WriteAll(bytesOf(" line")).ok());
    log.Close();
    EXPECT_EQ(contentOf(theirs), "theirs line");
}

// Which of the three classes of bits applies depends on whose file it is; giving files to other
// owners and groups takes root, so the rest of the cases need it. A file that is replaced keeps
// its owner, group and mode.
TEST_F(AtomicFile, TheBitsOfTheUsersOwnClassDecideAndTheNewFileKeepsThem)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give the test files to another owner and group";
    const uid_t stranger = 54321;
    const gid_t strangers = 54322;
    struct Case {
        uid_t owner;
        gid_t group;
        mode_t mode;
        bool writable;
    };
    const Case cases[] = {
        {0, strangers, 0200, true},         {0, strangers, 0066, false},
        {stranger, 0, 0020, true},          {stranger, 0, 0602, false},
        {stranger, strangers, 0002, true},  {stranger, strangers, 0660, false},
        {stranger, strangers, 02666, true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ReplaceFileAtomically(file, bytesOf("old")).ok());
        ASSERT_EQ(::chown(file.c_str(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
        const FileError error = ReplaceFileAtomically(file, bytesOf("new"));
        EXPECT_EQ(error.ok(), c.writable)
            << std::oct << c.mode << " owner " << std::dec << c.owner << " group " << c.group;
        EXPECT_EQ(contentOf(file), c.writable ? "new" : "old");
        const struct stat info = StatOf(file);
        EXPECT_EQ(info.st_uid, c.owner);
        EXPECT_EQ(info.st_gid, c.group);
        EXPECT_EQ(info.st_mode & 07777, c.mode);
        std::filesystem::remove(file);
    }
}

// The check before a long run says what the save at its end would say, and writes nothing: not
// the target, not a temporary that stays.
TEST_F(AtomicFile, TheCheckAgreesWithTheSaveAndChangesNothing)
{
    EXPECT_TRUE(CheckReplaceable(file).ok());
    EXPECT_EQ(entriesIn(dir.path()), 0);

    ASSERT_TRUE(ReplaceFileAtomically(file, bytesOf("kept")).ok());
    const struct stat before = StatOf(file);
    EXPECT_TRUE(CheckReplaceable(file).ok());
    const struct stat after = StatOf(file);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(contentOf(file), "kept");
    EXPECT_EQ(entriesIn(dir.path()), 1);

    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(CheckReplaceable(file).code, EACCES);
    EXPECT_EQ(CheckReplaceable(dir / "missing" / "a.ini").code, ENOENT);
    EXPECT_EQ(CheckReplaceable(file / "a.ini").code, ENOTDIR);
    EXPECT_EQ(CheckReplaceable(dir.path()).message, "Not a regular file (a folder)");
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

// What a save must not turn into an ordinary file. Each case makes dir/"target" in a fresh
// folder, as a FIFO, a link or both, and names what must keep its kind afterwards.
struct SpecialTarget {
    const char* name;
    const char* fifo;   // made first, when given
    const char* linkTo; // dir/"target" links to it, when given
    const char* kept;
    mode_t kind; // S_IFIFO, S_IFCHR; 0 for "nothing at all"
};

class AtomicFileSpecialTarget : public testing::TestWithParam<SpecialTarget> {};

TEST_P(AtomicFileSpecialTarget, CheckAndSaveAreRefusedAndThePathLeftAlone)
{
    test::TempDir dir;
    const SpecialTarget& target = GetParam();
    if (target.fifo) {
        ASSERT_EQ(::mkfifo((dir / target.fifo).c_str(), 0600), 0);
    }
    if (target.linkTo)
        std::filesystem::create_symlink(dir / target.linkTo, dir / "target");
    const std::filesystem::path kept = dir / target.kept;
    const std::filesystem::file_type linkType =
        std::filesystem::symlink_status(dir / "target").type();

    const FileError checked = CheckReplaceable(dir / "target");
    const FileError error = ReplaceFileAtomically(dir / "target", bytesOf("settings"));
    EXPECT_FALSE(error.ok());
    EXPECT_FALSE(error.message.empty());
    EXPECT_EQ(checked.code, error.code);
    EXPECT_EQ(checked.message, error.message);
    EXPECT_EQ(std::filesystem::symlink_status(dir / "target").type(), linkType);
    struct stat info {};
    if (target.kind == 0) {
        EXPECT_NE(::lstat(kept.c_str(), &info), 0) << "created through the link";
    } else {
        ASSERT_EQ(::lstat(kept.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, target.kind);
    }
    // No temporary file stays behind, here or beside the node.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, AtomicFileSpecialTarget,
    testing::Values(SpecialTarget{"Fifo", "target", nullptr, "target", S_IFIFO},
                    SpecialTarget{"LinkToFifo", "fifo", "fifo", "fifo", S_IFIFO},
                    SpecialTarget{"LinkToDevNull", nullptr, "/dev/null", "/dev/null", S_IFCHR},
                    SpecialTarget{"DanglingLink", nullptr, "nowhere.ini", "nowhere.ini", 0}),
    [](const auto& test) { return std::string(test.param.name); });

void WriteLongAgo(const std::filesystem::path& path, const char* text)
{
    std::ofstream(path) << text;
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                               std::chrono::hours(1));
}

// A save removes what a killed save of the same file left (its temporary, complete or not), and
// nothing that only looks like it: another file's temporary, a name off the pattern, a link, a
// folder, a FIFO, a file with a second name, and the temporary of a save still running, locked
// or only just created.
TEST_F(AtomicFile, ASaveRemovesOnlyTheStaleTemporariesOfTheSameFile)
{
    WriteLongAgo(dir / ".a.ini.a1B2c3", "killed half-way");
    WriteLongAgo(dir / ".a.ini.ZZZZZZ", "");
    std::ofstream(dir / ".a.ini.fresh1") << "created, not yet locked";

    const char* kept[] = {".Other.ini.a1B2c3", ".a.ini.a1B2c", ".a.ini.a1B2c3d", "a.ini.a1B2c3",
                          ".a.ini.a1-2c3"};
    for (const char* name : kept)
        std::ofstream(dir / name) << "not a temporary of this file";
    std::ofstream(dir / "target") << "named by a link";
    std::filesystem::create_symlink(dir / "target", dir / ".a.ini.link01");
    std::filesystem::create_directory(dir / ".a.ini.folder");
    ASSERT_EQ(::mkfifo((dir / ".a.ini.fifo01").c_str(), 0600), 0);
    std::ofstream(dir / "first") << "two names";
    std::filesystem::create_hard_link(dir / "first", dir / ".a.ini.second");
    WriteLongAgo(dir / ".a.ini.runnin", "a save in progress");
    const int running = ::open((dir / ".a.ini.runnin").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);

    ASSERT_TRUE(ReplaceFileAtomically(file, bytesOf("[CONSOLE]\r\n")).ok());
    ::close(running);

    EXPECT_FALSE(std::filesystem::exists(dir / ".a.ini.a1B2c3"));
    EXPECT_FALSE(std::filesystem::exists(dir / ".a.ini.ZZZZZZ"));
    for (const char* name : kept)
        EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
    for (const char* name : {".a.ini.link01", ".a.ini.folder", ".a.ini.fifo01", ".a.ini.second",
                             ".a.ini.runnin", ".a.ini.fresh1", "target"})
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(dir / name))) << name;
    EXPECT_EQ(contentOf(file), "[CONSOLE]\r\n");
}

// A read of something that is not a regular file must neither block (a FIFO without a writer)
// nor run out of memory (a device that never ends); either is refused with a reason.
TEST_F(AtomicFile, ReadsOnlyARegularFileOfBoundedSize)
{
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    std::vector<uint8_t> bytes{1};
    struct Case {
        std::filesystem::path path;
        int code;
    };
    std::filesystem::path large = dir / "large.ini";
    std::ofstream(large) << "x";
    std::filesystem::resize_file(large, (std::uintmax_t{64} << 20) + 1);
    for (const Case& c :
         {Case{dir / "fifo", EINVAL}, Case{"/dev/zero", EINVAL}, Case{large, EFBIG}}) {
        const FileError error = ReadWholeFile(c.path, bytes);
        EXPECT_EQ(error.code, c.code) << c.path;
        EXPECT_FALSE(error.message.empty());
        EXPECT_TRUE(bytes.empty());
    }

    std::filesystem::resize_file(large, std::uintmax_t{64} << 20);
    ASSERT_TRUE(ReadWholeFile(large, bytes).ok());
    EXPECT_EQ(bytes.size(), std::size_t{64} << 20);
    EXPECT_EQ(bytes.front(), 'x');
}

// Opening is not harmless: it would release a writer waiting at a FIFO, which then dies of
// SIGPIPE once the read side closes again. A name that is plainly no file is not opened.
TEST_F(AtomicFile, ARefusedFifoIsNotOpened)
{
    test::WaitingFifoWriter fifo(dir / "settings.ini");
    ASSERT_TRUE(fifo.waitsInOpen());

    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadWholeFile(dir / "settings.ini", bytes).code, EINVAL);
    EXPECT_FALSE(fifo.released()) << "the writer's open returned: the FIFO was opened";
}

} // namespace
} // namespace wirevane::platform
