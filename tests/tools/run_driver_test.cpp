#include "core/serial_events.h"
#include "fakes/held_port.h"
#include "fakes/manual_step_timer.h"
#include "fakes/recording_terminal.h"
#include "fakes/scripted_port.h"
#include "platform/serial_codes.h"
#include "support/table_file.h"
#include "support/temp_dir.h"
#include "tools/wirevane-run/run_driver.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wirevane::runner {
namespace {

using Row = test::TableRow;

// The runner's own count of cycles decides; the file's cyclic box must not.
const test::TableFrame kCyclicFrame{.serial = "", .cyclic = 1};

std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

// A port whose writes fail as a vanished device's do.
class BrokenPort final : public PortAccess {
public:
    bool IsOpen() const override { return true; }
    uint32_t Write(std::span<const uint8_t>) override { return 5; }
    uint32_t Read(std::span<uint8_t>, std::size_t& bytesRead) override
    {
        bytesRead = 0;
        return 0;
    }
    uint32_t GetModemStatus(uint32_t& status) override
    {
        status = 0;
        return 0;
    }
};

class RunDriverTest : public ::testing::Test {
protected:
    RunDriver& Driver(PortAccess& port)
    {
        m_driver.emplace(
            port, m_terminal, m_stepTimer, m_answerTimer, [this] { return m_nowUs; },
            [](uint32_t code) { return "error " + std::to_string(code); });
        m_driver->SetOnFinished([this] { ++m_finishedCalls; });
        return *m_driver;
    }
    // A driver that has loaded the rows and started its run with the settings.
    RunDriver& Started(const std::vector<Row>& rows, const RunSettings& settings, PortAccess& port)
    {
        test::WriteTableFile(m_dir / "table.ini", rows, kCyclicFrame);
        RunDriver& driver = Driver(port);
        EXPECT_TRUE(driver.Load(m_dir / "table.ini").ok());
        EXPECT_TRUE(driver.Allocate());
        driver.Start(settings);
        return driver;
    }
    // Ticks while the engine wants ticks, as the event loop would; stops at a wait.
    void RunTicks(RunDriver& driver)
    {
        for (int guard = 0; guard < 1000 && m_stepTimer.IsArmed() && !driver.finished(); ++guard) {
            m_nowUs += 100;
            driver.OnStepTimer();
        }
    }
    // How the run ended; nothing while it goes on.
    static std::optional<RunOutcome> Ended(const RunDriver& driver)
    {
        return driver.finished() ? std::optional(driver.outcome()) : std::nullopt;
    }
    void Answer(RunDriver& driver, std::string_view bytes)
    {
        m_nowUs += 40;
        m_port.queueRead(Bytes(bytes));
        driver.OnSerialMessage(EV_RXCHAR);
    }

    test::TempDir m_dir;
    test::ScriptedPort m_port;
    test::RecordingTerminal m_terminal;
    test::ManualStepTimer m_stepTimer;
    test::ManualStepTimer m_answerTimer;
    int64_t m_nowUs = 0;
    // How often the driver said the run finished: its caller's loop ends on that alone.
    int m_finishedCalls = 0;
    std::optional<RunDriver> m_driver;
};

TEST_F(RunDriverTest, LoadKeepsTheSerialKeysForThePort)
{
    test::WriteTableFile(
        m_dir / "table.ini", {{0, "A"}},
        {.serial = "PORT=ttyUSB3\r\nBAUD=115200\r\nDATA=7\r\nSTOP=2\r\nPARITY=2\r\nHNDSHK=1\r\n",
         .cyclic = 1});
    RunDriver& driver = Driver(m_port);
    ASSERT_TRUE(driver.Load(m_dir / "table.ini").ok());
    const CapturedPortSettings& serial = driver.portSettings();
    EXPECT_EQ(serial.DeviceName(), u"ttyUSB3");
    EXPECT_EQ(serial.lineSettings(), (platform::LineSettings{115200, 7, 2, 2}));
    EXPECT_EQ(serial.handshake(), 1);
}

TEST_F(RunDriverTest, TableWithWaitsRunsToItsEndOnceDespiteTheFilesRepeat)
{
    RunDriver& driver = Started({{0, "A", 1}, {2, "B", 1}, {5, "C"}}, {.report = true}, m_port);
    RunTicks(driver);
    EXPECT_EQ(m_port.written(), Bytes("A\r"));
    Answer(driver, "x\r");
    RunTicks(driver);
    EXPECT_EQ(m_port.written(), Bytes("A\rB\r"));
    Answer(driver, "\r");
    RunTicks(driver);

    EXPECT_EQ(Ended(driver), RunOutcome::Completed);
    EXPECT_EQ(ExitStatus(driver.outcome()), 0);
    EXPECT_EQ(m_port.written(), Bytes("A\rB\rC\r"));
    EXPECT_EQ(driver.cyclesCompleted(), 1);
    EXPECT_FALSE(m_stepTimer.IsArmed());

    ASSERT_TRUE(driver.report());
    const auto& rows = driver.report()->rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ((std::vector{rows[0].index, rows[1].index, rows[2].index}), (std::vector{0, 2, 5}));
    EXPECT_EQ(rows[1].bytes, Bytes("B\r"));
    ASSERT_TRUE(rows[0].answeredUs && rows[1].answeredUs);
    EXPECT_EQ(*rows[0].answeredUs - rows[0].writtenUs, 40);
    EXPECT_FALSE(rows[2].answeredUs);
}

// The engine passes the end of the table and resets the end flag in one tick when a single row
// repeats, so cycles are counted by steps, not by watching the flag.
TEST_F(RunDriverTest, CountsCyclesWhereTheEndFlagIsClearedInTheSameTick)
{
    RunDriver& single = Started({{4, "Z"}}, {.cycles = 3, .report = true}, m_port);
    RunTicks(single);
    EXPECT_EQ(Ended(single), RunOutcome::Completed);
    EXPECT_EQ(m_port.written(), Bytes("Z\rZ\rZ\r"));
    ASSERT_TRUE(single.report());
    ASSERT_EQ(single.report()->rows().size(), 1u);
    EXPECT_EQ(single.report()->rows()[0].sent, 3);

    // An answered last row without a pause passes the table's end and starts the next pass in
    // one tick, which clears the end flag before the driver looks: the pass must still count.
    m_port.clearWritten();
    RunDriver& answered = Started({{0, "Q", 1}}, {.cycles = 2}, m_port);
    for (int answer = 0; answer < 2 && !answered.finished(); ++answer) {
        RunTicks(answered);
        Answer(answered, "\r");
        RunTicks(answered);
    }
    EXPECT_EQ(Ended(answered), RunOutcome::Completed);
    EXPECT_EQ(m_port.written(), Bytes("Q\rQ\r"));
}

// A run that repeats until it is stopped keeps nothing of what it sent unless asked to.
TEST_F(RunDriverTest, WithoutAReportNothingOfTheSentRowsIsKept)
{
    RunDriver& driver = Started({{0, "A", 1}, {1, "B"}}, {.cycles = 0}, m_port);
    RunTicks(driver);
    Answer(driver, "\r");
    RunTicks(driver);
    EXPECT_EQ(m_port.written(), Bytes("A\rB\rA\r"));
    EXPECT_FALSE(driver.report());
}

TEST_F(RunDriverTest, HaltEndsTheRunEvenOnTheLastRowAndLingersWithoutThePause)
{
    RunDriver& middle = Started({{0, "A"}, {1, "B", 0, 1}, {2, "C"}}, {.cycles = 0}, m_port);
    RunTicks(middle);
    EXPECT_EQ(Ended(middle), RunOutcome::Halted);
    EXPECT_EQ(ExitStatus(middle.outcome()), 2);
    EXPECT_EQ(m_port.written(), Bytes("A\rB\r"));

    // Halting after the awaited answer of the last row: the table's end and the halt come in the
    // same step, and the halt is what the caller needs to hear.
    RunDriver& last = Started({{0, "A"}, {1, "B", 1, 1}}, {}, m_port);
    RunTicks(last);
    Answer(last, "\r");
    RunTicks(last);
    EXPECT_EQ(Ended(last), RunOutcome::Halted);

    RunDriver& lingering = Started({{0, "A", 0, 1, 300}}, {.lingerMs = 50}, m_port);
    lingering.OnStepTimer();
    ASSERT_FALSE(lingering.finished());
    EXPECT_EQ(m_stepTimer.period(), 50);
    lingering.OnStepTimer();
    EXPECT_EQ(Ended(lingering), RunOutcome::Halted);
}

TEST_F(RunDriverTest, AnswerTimerBoundsOnlyTheWait)
{
    RunDriver& driver = Started({{0, "A", 1}, {1, "B", 1}}, {.timeoutSeconds = 2}, m_port);
    RunTicks(driver);
    ASSERT_TRUE(m_answerTimer.IsArmed());
    EXPECT_EQ(m_answerTimer.period(), 2000);
    Answer(driver, "\r");
    EXPECT_FALSE(m_answerTimer.IsArmed());
    driver.OnAnswerTimeout(); // a late expiry after the answer changes nothing
    EXPECT_FALSE(driver.finished());

    RunTicks(driver);
    ASSERT_TRUE(m_answerTimer.IsArmed());
    driver.OnAnswerTimeout();
    EXPECT_EQ(Ended(driver), RunOutcome::TimedOut);
    EXPECT_EQ(ExitStatus(driver.outcome()), 3);
    EXPECT_EQ(driver.message(), "no answer to row 1 within 2 s");
    EXPECT_FALSE(m_stepTimer.IsArmed());
    EXPECT_EQ(m_finishedCalls, 1);

    // An answer after giving up neither restarts the engine nor changes the outcome.
    Answer(driver, "\r");
    EXPECT_FALSE(m_stepTimer.IsArmed());
    EXPECT_EQ(driver.outcome(), RunOutcome::TimedOut);
    EXPECT_EQ(m_finishedCalls, 1);
}

TEST_F(RunDriverTest, NothingTickedIsAnError)
{
    RunDriver& driver = Started({}, {}, m_port);
    EXPECT_EQ(Ended(driver), RunOutcome::Failed);
    EXPECT_NE(driver.message().find("no row"), std::string::npos);
    EXPECT_TRUE(m_port.written().empty());
}

TEST_F(RunDriverTest, AFailedWriteOrARowTheEncodingCannotCarryEndsTheRunWithItsReport)
{
    BrokenPort broken;
    RunDriver& failed = Started({{0, "A"}, {1, "B"}}, {.report = true}, broken);
    RunTicks(failed);
    EXPECT_EQ(Ended(failed), RunOutcome::Failed);
    EXPECT_EQ(failed.message(), "Write to the port failed (error 5).");
    EXPECT_EQ(m_terminal.text(), u"[Write to the port failed (error 5).]\n");
    ASSERT_TRUE(failed.report());
    EXPECT_TRUE(failed.report()->rows().empty());
    EXPECT_FALSE(m_stepTimer.IsArmed());

    RunDriver& unencodable = Started({{0, "A"}, {3, "A\xE2\x82\xAC"}, {4, "B"}}, {}, m_port);
    RunTicks(unencodable);
    EXPECT_EQ(Ended(unencodable), RunOutcome::Failed);
    EXPECT_EQ(ExitStatus(unencodable.outcome()), 1);
    EXPECT_EQ(unencodable.message(),
              "Row 3 is not sent: \"\xE2\x82\xAC\" (U+20AC) has no Shift_JIS form.");
    EXPECT_EQ(m_port.written(), Bytes("A\r"));
}

// The device's answer to the last row, and whatever follows it while the last row's pause and
// the linger last, are still shown; only then is the run over.
TEST_F(RunDriverTest, TheRunEndsAfterTheLastRowsPauseAndTheLinger)
{
    RunDriver& driver = Started({{0, "A"}, {1, "B", 0, 0, 300}}, {.lingerMs = 200}, m_port);
    for (int tick = 0; tick < 2; ++tick)
        driver.OnStepTimer();
    EXPECT_EQ(m_port.written(), Bytes("A\rB\r"));
    EXPECT_FALSE(driver.finished());
    ASSERT_TRUE(m_stepTimer.IsArmed());
    EXPECT_EQ(m_stepTimer.period(), 500);

    Answer(driver, "OK\r");
    EXPECT_EQ(m_terminal.text(), u"OK\r");
    driver.Interrupt(); // Ctrl-C while lingering cuts only the linger short
    EXPECT_EQ(Ended(driver), RunOutcome::Completed);

    // An answered last row without a pause owes none, whatever the rows before it paused.
    RunDriver& answered =
        Started({{0, "A", 0, 0, 300}, {1, "B", 1, 0, 0}}, {.lingerMs = 200}, m_port);
    answered.OnStepTimer();
    ASSERT_EQ(m_stepTimer.period(), 300);
    answered.OnStepTimer();
    Answer(answered, "\r");
    answered.OnStepTimer();
    EXPECT_FALSE(answered.finished());
    ASSERT_TRUE(m_stepTimer.IsArmed());
    EXPECT_EQ(m_stepTimer.period(), 200);
}

TEST_F(RunDriverTest, ARowStillOnItsWayIsCountedWhenItIsOut)
{
    test::HeldPort held;
    RunDriver& driver = Started({{0, "A"}, {1, "B"}}, {.report = true}, held);
    driver.OnStepTimer();
    EXPECT_EQ(held.held(), 1u);
    EXPECT_FALSE(m_stepTimer.IsArmed());
    ASSERT_TRUE(driver.report());
    EXPECT_TRUE(driver.report()->rows().empty());

    m_nowUs = 700;
    held.End();
    ASSERT_EQ(driver.report()->rows().size(), 1u);
    EXPECT_EQ(driver.report()->rows()[0].bytes, Bytes("A\r"));
    EXPECT_EQ(driver.report()->rows()[0].writtenUs, 700);
    ASSERT_TRUE(m_stepTimer.IsArmed());

    driver.OnStepTimer();
    held.End(ERROR_TIMEOUT);
    EXPECT_EQ(Ended(driver), RunOutcome::Failed);
    EXPECT_EQ(driver.message(),
              "Write to ttyUSB0 timed out: the device holds the line (flow control).");
    // The end came with the write's completion, not with a timer or a notification.
    EXPECT_EQ(m_finishedCalls, 1);
}

} // namespace
} // namespace wirevane::runner
