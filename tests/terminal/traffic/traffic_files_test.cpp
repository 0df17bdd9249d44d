#include "support/file_text.h"
#include "support/temp_dir.h"
#include "terminal/traffic/csv_recorder.h"
#include "terminal/traffic/log_file.h"
#include "terminal/traffic/traffic_log.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wirevane {
namespace {

using Clock = std::chrono::system_clock;
using namespace std::chrono_literals;

// 2026-12-08 10:00:00.000 UTC
const Clock::time_point kStart = Clock::time_point{} + 1796724000s;

void SetZone(const char* zone)
{
    // putenv keeps the pointer, so each zone's text lives as long as the program.
    static std::vector<std::string> texts;
    texts.push_back(std::string("TZ=") + zone);
    putenv(texts.back().data());
    tzset();
}

Measurement Meter(Clock::time_point time, std::optional<double> value, std::string reading)
{
    return Measurement{time, "meter", value, "V", MeasureMode::Dc, std::move(reading)};
}

// The time zone, a reading, and its line.
using LineCase = std::tuple<const char*, Measurement, std::string>;

class CsvLineBytes : public ::testing::TestWithParam<LineCase> {};

TEST_P(CsvLineBytes, FieldsAsASpreadsheetReadsThem)
{
    const auto& [zone, reading, line] = GetParam();
    SetZone(zone);
    EXPECT_EQ(CsvLine(reading, kStart), line);
}

INSTANTIATE_TEST_SUITE_P(
    ZonesValuesAndQuoting, CsvLineBytes,
    ::testing::Values(
        LineCase{"UTC0", Meter(kStart, -0.01234, "DC -12.34 mV"),
                 "2026-12-08T10:00:00.000+00:00,0.000,meter,-0.01234,V,DC,DC -12.34 mV\r\n"},
        // East of Greenwich, past midnight there; sub-millisecond parts are cut, not rounded.
        LineCase{"JST-9", Meter(kStart + 14h + 5'123'999us, 4710.0, "DC 04.71 k ohm"),
                 "2026-12-09T09:00:05.123+09:00,50405.123,meter,4710,V,DC,DC 04.71 k ohm\r\n"},
        LineCase{"NST3:30", Meter(kStart + 7ms, std::nullopt, "DC  V OVER RANGE"),
                 "2026-12-08T06:30:00.007-03:30,0.007,meter,,V,DC,DC  V OVER RANGE\r\n"},
        LineCase{"UTC0",
                 Measurement{kStart - 1ms, "a,\"b\"", 1e-9,
                             "\xC2\xB0"
                             "C",
                             MeasureMode::Ac, "x\r\ny"},
                 "2026-12-08T09:59:59.999+00:00,-0.001,\"a,\"\"b\"\"\",1e-09,\xC2\xB0"
                 "C,AC,\"x\r\ny\"\r\n"}));

// Files in a folder of the test's own; stamps are local time, and a fixed zone makes them known.
// The log's own clock starts at an hour.
class TrafficFiles : public ::testing::Test {
protected:
    void SetUp() override { SetZone("UTC0"); }
    test::TempDir m_dir;
    LogFile::Clock::time_point m_t0 = LogFile::Clock::time_point{} + 1h;
};

// The header, then each reading, elapsed from the first one recorded: no byte-order mark, and
// what a write gathered is in the file once it is closed.
TEST_F(TrafficFiles, CsvRecorderReplacesTheFileAndCountsFromItsFirstReading)
{
    const auto file = m_dir / "readings.csv";
    std::ofstream(file, std::ios::binary) << "an older, longer file that must not show through\n";
    CsvRecorder recorder;
    ASSERT_EQ(recorder.Open(file), u"");
    EXPECT_EQ(test::FileText(file), "time,elapsed_s,series,value,unit,mode,reading\r\n");
    recorder.AddMeasurement(Meter(kStart + 2s, 1.5, "DC 1.500 V"));
    recorder.AddMeasurement(Meter(kStart + 2500ms, 1.25, "DC 1.250 V"));
    recorder.Close();
    EXPECT_EQ(test::FileText(file),
              "time,elapsed_s,series,value,unit,mode,reading\r\n"
              "2026-12-08T10:00:02.000+00:00,0.000,meter,1.5,V,DC,DC 1.500 V\r\n"
              "2026-12-08T10:00:02.500+00:00,0.500,meter,1.25,V,DC,DC 1.250 V\r\n");
    ASSERT_EQ(recorder.Open(file), u"");
    recorder.AddMeasurement(Meter(kStart + 9s, 2.0, "DC 2.000 V"));
    recorder.Close();
    EXPECT_EQ(test::FileText(file),
              "time,elapsed_s,series,value,unit,mode,reading\r\n"
              "2026-12-08T10:00:09.000+00:00,0.000,meter,2,V,DC,DC 2.000 V\r\n");

    // Readings reach the file once the flush interval has passed.
    const auto live = m_dir / "live.csv";
    ASSERT_EQ(recorder.Open(live), u"");
    recorder.AddMeasurement(Meter(kStart, 1.0, "DC 1.000 V"));
    recorder.FlushIfDue(LogFile::Clock::now() + LogFile::kFlushInterval);
    EXPECT_EQ(test::FileText(live),
              CsvHeaderLine() + CsvLine(Meter(kStart, 1.0, "DC 1.000 V"), kStart));
}

TEST_F(TrafficFiles, CsvSaveWritesEverythingCountedFromTheFirst)
{
    const auto file = m_dir / "saved.csv";
    const std::vector<Measurement> all = {Meter(kStart, 1.0, "DC 1.000 V"),
                                          Meter(kStart + 1s, 2.0, "DC 2.000 V")};
    ASSERT_EQ(SaveCsv(file, all), u"");
    EXPECT_EQ(test::FileText(file),
              CsvHeaderLine() + CsvLine(all[0], kStart) + CsvLine(all[1], kStart));
    ASSERT_EQ(SaveCsv(file, {}), u"");
    EXPECT_EQ(test::FileText(file), CsvHeaderLine());
}

std::span<const uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST_F(TrafficFiles, GatheredBytesReachTheFileOnceTheOldestWaitedTheIntervalAndAtClose)
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

TEST_F(TrafficFiles, StartAppendsOrReplacesAndAFolderThatIsNotThereIsRefused)
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

TEST_F(TrafficFiles, ShownTextIsWrittenInTheChosenEncodingAndRawTrafficIsLeftOut)
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
