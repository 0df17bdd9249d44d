#include "platform/atomic_file.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace wirevane::platform {
namespace {

std::vector<uint8_t> bytesOf(std::string_view text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string contentOf(const std::filesystem::path& path)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(readWholeFile(path, bytes).ok());
    return std::string(bytes.begin(), bytes.end());
}

int entriesIn(const std::filesystem::path& folder)
{
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++n;
    }
    return n;
}

TEST(AtomicFile, CreatesAndReplacesWholeFiles)
{
    test::TempDir dir;
    std::filesystem::path file = dir / "a.ini";
    ASSERT_TRUE(replaceFileAtomically(file, bytesOf("first")).ok());
    EXPECT_EQ(contentOf(file), "first");

    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(replaceFileAtomically(file, bytesOf("second, longer")).ok());
    EXPECT_EQ(contentOf(file), "second, longer");
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST(AtomicFile, InterruptedReplacementLeavesTheOldFile)
{
    test::TempDir dir;
    std::filesystem::path file = dir / "a.ini";
    ASSERT_TRUE(replaceFileAtomically(file, bytesOf("old whole file")).ok());

    std::filesystem::path seenTemporary;
    FileError error = replaceFileAtomically(
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

TEST(AtomicFile, ReportsAFolderThatCannotHoldTheFile)
{
    test::TempDir dir;
    std::ofstream(dir / "plain") << "not a folder";
    FileError error = replaceFileAtomically(dir / "plain" / "a.ini", bytesOf("x"));
    EXPECT_EQ(error.code, ENOTDIR);

    std::vector<uint8_t> bytes;
    EXPECT_EQ(readWholeFile(dir / "missing.ini", bytes).code, ENOENT);
    EXPECT_EQ(readWholeFile(dir.path(), bytes).code, EISDIR);
}

TEST(AtomicFile, ReplacesTheFileALinkNames)
{
    test::TempDir dir;
    std::filesystem::path target = dir / "real.ini";
    std::filesystem::path link = dir / "link.ini";
    ASSERT_TRUE(replaceFileAtomically(target, bytesOf("old")).ok());
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(replaceFileAtomically(link, bytesOf("new")).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(contentOf(target), "new");
}

} // namespace
} // namespace wirevane::platform
