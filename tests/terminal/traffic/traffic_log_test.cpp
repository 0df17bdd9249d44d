#include "support/file_text.h"
#include "support/temp_dir.h"
#include "terminal/traffic/log_file.h"
#include "terminal/traffic/traffic_log.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace wirevane {
namespace {

using namespace std::chrono_literals;
using Steady = LogFile::Clock::time_point;

std::span<const uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

class TrafficLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Stamps are local time; a fixed zone makes them known. putenv and tzset are what
        // both Linux's and Windows' C libraries have.
        static char utc[] = "TZ=UTC0";
        putenv(utc);
        tzset();
    }

    test::TempDir m_dir;
    Steady m_t0 = Steady{} + 1h;
};

TEST_F(TrafficLogTest, GatheredBytesReachTheFileOnceTheOldestWaitedTheIntervalAndAtClose)
{
    const auto file = m_dir / "log.txt";
    LogFile log;
    ASSERT_TRUE(log.Open(file, false).ok());
    EXPECT_TRUE(log.Write(Bytes("first "), m_t0));
    EXPECT_TRUE(log.Write(Bytes("second "), m_t0 + LogFile::kFlushInterval - 1ms));
    EXPECT_EQ(test::FileText(file), "");
    // The interval counts from the oldest byte waiting, not from the latest write.
    EXPECT_TRUE(log.FlushIfDue(m_t0 + LogFile::kFlushInterval));
    EXPECT_EQ(test::FileText(file), "first second ");

    EXPECT_TRUE(log.Write(Bytes("third "), m_t0 + 1s));
    EXPECT_TRUE(log.Write(Bytes("fourth"), m_t0 + 1s + LogFile::kFlushInterval));
    EXPECT_EQ(test::FileText(file), "first second third fourth");

    EXPECT_TRUE(log.Write(Bytes(" last"), m_t0 + 2s));
    EXPECT_TRUE(log.Close().ok());
    EXPECT_EQ(test::FileText(file), "first second third fourth last");

    // A flood is written as soon as a buffer's worth has gathered.
    ASSERT_TRUE(log.Open(file, false).ok());
    const std::string flood(LogFile::kFlushBytes, 'x');
    EXPECT_TRUE(log.Write(Bytes(flood), m_t0));
    EXPECT_EQ(test::FileText(file).size(), LogFile::kFlushBytes);
    EXPECT_EQ(log.pendingBytes(), 0u);
}

TEST_F(TrafficLogTest, StartAppendsOrReplacesAndAFolderThatIsNotThereIsRefused)
{
    const auto file = m_dir / "log.txt";
    std::ofstream(file, std::ios::binary) << "before\n";
    LogChoice choice{file, true, LogChoice::ShownText, LogChoice::Utf8};
    TrafficLog log;
    ASSERT_TRUE(log.Start(choice).ok());
    log.OnShown(u"added", m_t0);
    EXPECT_TRUE(log.Stop().ok());
    EXPECT_EQ(test::FileText(file), "before\nadded");

    choice.append = false;
    ASSERT_TRUE(log.Start(choice).ok());
    EXPECT_TRUE(log.Stop().ok());
    EXPECT_EQ(test::FileText(file), "");

    choice.file = m_dir / "missing" / "log.txt";
    const platform::FileError refused = log.Start(choice);
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(refused.message.empty());
    EXPECT_FALSE(log.running());
}

TEST_F(TrafficLogTest, ShownTextIsWrittenInTheChosenEncodingAndRawTrafficIsLeftOut)
{
    const auto file = m_dir / "log.txt";
    TrafficLog log;
    ASSERT_TRUE(log.Start({file, false, LogChoice::ShownText, LogChoice::Cp932}).ok());
    log.OnShown(u"あ\u00e9\r\n", m_t0);
    log.OnTraffic(TrafficDirection::Received, Bytes("raw"), TrafficTime{}, m_t0);
    log.Stop();
    // As the save command: code page 932, with "?" for what it cannot carry.
    EXPECT_EQ(test::FileText(file), "\x82\xa0?\r\n");

    ASSERT_TRUE(log.Start({file, false, LogChoice::ShownText, LogChoice::Utf8}).ok());
    log.OnShown(u"あ\u00e9\r\n", m_t0);
    log.Stop();
    EXPECT_EQ(test::FileText(file), "\xe3\x81\x82\xc3\xa9\r\n");
}

} // namespace
} // namespace wirevane
