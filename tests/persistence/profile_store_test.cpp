#include "fakes/recording_profile_files.h"
#include "persistence/profile_store.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

class ProfileStoreTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::RecordingProfileFiles files;
    ProfileStore store{dir / "Wirevane.ini", files};
};

TEST_F(ProfileStoreTest, ASessionReadsOnceAndWritesOnceAtItsEnd)
{
    {
        ProfileSession session(store);
        for (int i = 0; i < 20; ++i)
            store.writeInt(u"S", u"k" + std::u16string(1, static_cast<char16_t>(u'A' + i)), i);
        {
            ProfileSession inner(store);
            store.writeString(u"Inner", u"k", u"v");
            EXPECT_TRUE(inner.commit().ok());
        }
        EXPECT_EQ(files.replaceCount, 0);
        EXPECT_EQ(store.readInt(u"S", u"kB", -1), 1);
        EXPECT_TRUE(session.commit().ok());
    }
    EXPECT_EQ(files.replaceCount, 1);
    EXPECT_EQ(store.readString(u"Inner", u"k", u""), u"v");

    {
        ProfileSession readOnly(store);
        EXPECT_EQ(store.readInt(u"S", u"kC", -1), 2);
    }
    EXPECT_EQ(files.replaceCount, 1);

    EXPECT_TRUE(store.writeInt(u"S", u"alone", 1).ok());
    EXPECT_EQ(files.replaceCount, 2);
}

TEST_F(ProfileStoreTest, RedirectReachesTheOtherFileAndAlwaysComesBack)
{
    std::filesystem::path other = dir / "other.ini";
    {
        ProfileRedirect redirect(store, other);
        EXPECT_EQ(store.activePath(), other);
        store.writeString(u"S", u"k", u"there");
        files.failWith = ENOSPC;
        platform::FileError error = redirect.commit();
        EXPECT_EQ(error.code, platform::FileError::fromErrno(ENOSPC).code);
        EXPECT_FALSE(error.message.empty());
    }
    EXPECT_EQ(store.activePath(), store.settingsPath());
    EXPECT_FALSE(std::filesystem::exists(other));

    files.failWith.reset();
    {
        ProfileSession outer(store);
        store.writeString(u"S", u"k", u"here");
        {
            ProfileRedirect redirect(store, other);
            store.writeString(u"S", u"k", u"there");
        }
        EXPECT_EQ(store.readString(u"S", u"k", u""), u"here");
    }
    EXPECT_EQ(test::FileText(store.settingsPath()), "[S]\r\nk=here\r\n");
    EXPECT_EQ(test::FileText(other), "[S]\r\nk=there\r\n");
}

TEST_F(ProfileStoreTest, TwoSpellingsOfOneFileShareOneCopy)
{
    ProfileSession outer(store);
    store.writeString(u"S", u"first", u"1");
    {
        ProfileRedirect sameFile(store, dir.path() / "." / "Wirevane.ini");
        store.writeString(u"S", u"second", u"2");
    }
    EXPECT_TRUE(outer.commit().ok());
    EXPECT_EQ(files.replaceCount, 1);
    EXPECT_EQ(test::FileText(store.settingsPath()), "[S]\r\nfirst=1\r\nsecond=2\r\n");
}

TEST_F(ProfileStoreTest, TheMissingPerUserFolderIsCreatedByTheFirstWrite)
{
    ProfileStore fresh(dir / "config" / "wirevane" / "Wirevane.ini", files);
    EXPECT_TRUE(fresh.writeInt(u"S", u"k", 3).ok());
    EXPECT_EQ(test::FileText(dir / "config" / "wirevane" / "Wirevane.ini"), "[S]\r\nk=3\r\n");
}

} // namespace
} // namespace wirevane
