#include "fakes/recording_profile_files.h"
#include "persistence/port_options.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

// A file as the native program leaves it: code page 932, CR LF, no section of ours.
const std::string kNativeFile = "[SERIAL]\r\nPORT=\\\\.\\COM3\r\nBAUD=921600\r\n"
                                "[CONSOLE]\r\nCYCLIC=0\r\nTERNINATOR=2\r\n"
                                "[DATA_INDEX0]\r\nDATA=\x83\x65\x83\x58\x83\x67\r\n";

class PortOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { std::ofstream(path(), std::ios::binary) << kNativeFile; }
    std::filesystem::path path() const { return dir / "Wirevane.ini"; }
    std::string Content() const { return test::FileText(path()); }

    test::TempDir dir;
    DiskProfileFiles files;
    ProfileStore store{path(), files};
};

TEST_F(PortOptionsTest, OptionsOffLeaveTheFileUntouchedAndOnAndOffAgainRestoreItsBytes)
{
    EXPECT_EQ(ReadPortOptions(store), PortOptions{});
    ASSERT_TRUE(WritePortOptions(store, PortOptions{}).ok());
    EXPECT_EQ(Content(), kNativeFile);

    // Low latency is on by default, so the file holds it only when it is off; realtime is the
    // other way round.
    ASSERT_TRUE(WritePortOptions(store, PortOptions{1500, true, false, true}).ok());
    EXPECT_EQ(Content(), kNativeFile +
                             "[WIREVANE]\r\nANSWER_TIMEOUT_MS=1500\r\nAUTO_RECONNECT=1\r\n"
                             "LOW_LATENCY=0\r\nREALTIME=1\r\n");
    EXPECT_EQ(ReadPortOptions(store), (PortOptions{1500, true, false, true}));

    // Each option leaves on its own; the section goes with the last one.
    ASSERT_TRUE(WritePortOptions(store, PortOptions{0, true}).ok());
    EXPECT_EQ(Content(), kNativeFile + "[WIREVANE]\r\nAUTO_RECONNECT=1\r\n");
    ASSERT_TRUE(WritePortOptions(store, PortOptions{}).ok());
    EXPECT_EQ(Content(), kNativeFile);
}

TEST_F(PortOptionsTest,
       OtherKeysOfTheSectionStayNothingIsWrittenWithoutAChangeAndValuesOutOfRangeCountAsOff)
{
    ASSERT_TRUE(store.writeString(u"WIREVANE", u"LOG", u"on").ok());
    test::RecordingProfileFiles counted;
    ProfileStore countedStore(path(), counted);
    ASSERT_TRUE(WritePortOptions(countedStore, PortOptions{250, false}).ok());
    ASSERT_TRUE(WritePortOptions(countedStore, PortOptions{250, false}).ok());
    ASSERT_TRUE(WritePortOptions(countedStore, PortOptions{}).ok());
    EXPECT_EQ(counted.replaceCount, 2) << "the same value again writes nothing";
    EXPECT_EQ(Content(), kNativeFile + "[WIREVANE]\r\nLOG=on\r\n");

    // Values out of range count as off.
    for (const char16_t* stored : {u"-5", u"0", u"86400001", u"soon"}) {
        ASSERT_TRUE(store.writeString(u"WIREVANE", u"ANSWER_TIMEOUT_MS", stored).ok());
        EXPECT_EQ(ReadPortOptions(store).answerTimeoutMs, 0);
    }
    ASSERT_TRUE(store.writeString(u"WIREVANE", u"AUTO_RECONNECT", u"2").ok());
    EXPECT_FALSE(ReadPortOptions(store).autoReconnect);
    ASSERT_TRUE(store.writeString(u"WIREVANE", u"ANSWER_TIMEOUT_MS", u"86400000").ok());
    EXPECT_EQ(ReadPortOptions(store).answerTimeoutMs, 86'400'000);
}

} // namespace
} // namespace wirevane
