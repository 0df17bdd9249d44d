#include "support/child_process.h"
#include "support/file_text.h"
#include "support/pty_pair.h"
#include "support/small_tmpfs.h"
#include "support/table_file.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <thread>

namespace wirevane::test {
namespace {

using namespace std::chrono_literals;

// The runner against a pseudo-terminal the test plays the device on, with a one-row table.
class RunnerLog : public ::testing::Test {
protected:
    std::string Table(int waitRx, int delayMs)
    {
        const auto file = m_dir / "table.ini";
        WriteTableFile(file, {{.index = 0, .data = "AT", .wait = waitRx, .delay = delayMs}});
        return file.string();
    }
    std::unique_ptr<ChildProcess> Start(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--port", m_pty.slavePath()});
        auto runner = std::make_unique<ChildProcess>(toolPath("wirevane-run"), arguments);
        // The row has gone out: the port is open and the run under way.
        EXPECT_EQ(m_pty.ReadMaster(3), "AT\r");
        return runner;
    }

    TempDir m_dir;
    PtyPair m_pty;
};

TEST_F(RunnerLog, WhatCameInBeforeAKillIsInTheLogWithItsTimesAndARawLogIsAddedWithBothDirections)
{
    const auto log = m_dir / "run.log";
    auto runner = Start({"--log", log.string(), "--log-utf8", "--timestamps", Table(0, 60000)});
    m_pty.WriteMaster("first line\r\n\x82\xa0 second ");
    // The log is written at least every 200 ms; what came in longer ago than that survives.
    std::this_thread::sleep_for(300ms);
    runner->Signal(SIGKILL);
    ASSERT_EQ(runner->Wait(10s), 128 + SIGKILL);

    const std::string written = test::FileText(log);
    const std::regex stamped(R"(\d\d:\d\d:\d\d\.\d{3} first line\r\n\d\d:\d\d:\d\d\.\d{3} )"
                             "\xe3\x81\x82 second ");
    EXPECT_TRUE(std::regex_match(written, stamped)) << written;
    // Standard output has the same stamps, in UTF-8 as always.
    EXPECT_TRUE(std::regex_match(runner->out(), stamped)) << runner->out();

    // A raw log is added to the file with both directions.
    const auto raw = m_dir / "raw.log";
    std::ofstream(raw, std::ios::binary) << "earlier run\n";
    auto rawRunner =
        Start({"--log", raw.string(), "--log-raw", "--log-append", "--linger", "0", Table(1, 0)});
    m_pty.WriteMaster("OK\r");
    ASSERT_EQ(rawRunner->Wait(10s), 0) << rawRunner->err();
    const std::regex lines("earlier run\n"
                           R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} TX 41 54 0D\n)"
                           R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} RX 4F 4B 0D\n)");
    EXPECT_TRUE(std::regex_match(test::FileText(raw), lines)) << test::FileText(raw);
    EXPECT_EQ(rawRunner->out(), "OK\r");
}

TEST_F(RunnerLog, AFullDiskStopsTheLogSaysWhyAndTheRunGoesOnToItsEnd)
{
    const SmallTmpfs disk(m_dir / "disk", 64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.why();
    const auto log = m_dir / "disk" / "run.log";
    auto runner = Start({"--log", log.string(), "--linger", "0", Table(1, 0)});
    // Lines without a CR: the row keeps waiting while the disk fills. The runner shows them on
    // its output, more than a pipe holds, so they go in while that output is read.
    std::thread device([&] {
        for (int i = 0; i < 1000; ++i)
            m_pty.WriteMaster(std::string(99, '=') + "\n");
        m_pty.WriteMaster("DONE\r");
    });
    const std::optional<int> status = runner->Wait(20s);
    device.join();
    // The run ended as the table says; the exit status tells that the log failed.
    ASSERT_EQ(status, 1) << runner->err();
    const std::string reason = std::strerror(ENOSPC);
    EXPECT_NE(
        runner->err().find("the log " + log.string() + " stopped: " + reason + "; the run goes on"),
        std::string::npos)
        << runner->err();
    const std::string out = runner->out();
    const std::size_t report = out.find("[Log to " + log.string() + " stopped: " + reason + ".]\n");
    ASSERT_NE(report, std::string::npos) << runner->err();
    EXPECT_NE(out.find("DONE\r"), std::string::npos);
    // Nothing the device sent was lost on the way to the output.
    EXPECT_EQ(std::count(out.begin(), out.end(), '='), 99 * 1000);
}

} // namespace
} // namespace wirevane::test
