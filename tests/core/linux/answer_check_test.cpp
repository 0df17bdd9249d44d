#include "core/linux/pty_engine_rig.h"

#include <gtest/gtest.h>
#include <optional>

namespace wirevane::test {
namespace {

struct CheckRun {
    const char* name;
    WaitKind wait;
    std::u16string_view expect;
    std::string_view early; // arrives while the row is still on its way
    std::string_view late;
    int limitMs;                // the answer time-out set, 0 for none
    std::optional<int> armedMs; // the answer time armed once the row is out
    bool timesOut;
    bool passes;
    std::u16string_view report; // the terminal's lines from the verdict on, before the count
};

class AnswerCheck : public ::testing::TestWithParam<CheckRun>, protected PtyEngineRig {};

// The device holds the row back until the early part of its answer is in, then lets it out.
TEST_P(AnswerCheck, DecidesOnTheRowsAnswerWindow)
{
    const CheckRun& c = GetParam();
    // The pause keeps the next row from following in the verdict's own tick.
    SetRow(0, u"Q", c.wait, 10, std::u16string(c.expect));
    SetRow(1, u"NEXT", WaitKind::None);
    run.detailView = true;
    engine.SetAnswerTimeout(&answerTimer, c.limitMs);
    engine.OnSend();
    Hold();
    Tick();
    Answer(c.early);
    Release();
    EXPECT_EQ(Received(1), "Q");
    EXPECT_EQ(answerTimer.IsArmed() ? std::optional(answerTimer.period()) : std::nullopt,
              c.armedMs);
    Answer(c.late);
    if (c.timesOut) {
        EXPECT_FALSE(engine.OnAnswerTimer()) << "a checked row's time-out is its failed check";
    }
    terminal.clear();
    Tick();
    EXPECT_EQ(Image(0), c.passes ? kRowImagePass : kRowImageFail);
    EXPECT_EQ(Status(0), c.passes ? u"OK" : u"NG");
    EXPECT_EQ(observer.running(), c.passes) << "a failed check stops the run";
    EXPECT_EQ(run.currentRow, 1) << "Send goes on after the checked row";
    EXPECT_EQ(terminal.text(),
              std::u16string(c.report) + (c.passes ? u"" : u"[Checks: 0 passed, 1 failed.]\n"));
}

constexpr std::u16string_view kReceivedMarker = u"<受信済>\r\n";

INSTANTIATE_TEST_SUITE_P(
    WaitKinds, AnswerCheck,
    ::testing::Values(
        CheckRun{"CrEarly", WaitKind::Cr, u"OK", "OK\r", "", 0, std::nullopt, false, true,
                 kReceivedMarker},
        CheckRun{"CrLateInPieces", WaitKind::Cr, u"OK\\r", "O", "K\r", 0, 1000, false, true,
                 kReceivedMarker},
        CheckRun{"CrBytesAfterTheAwaitedOneDoNotCount", WaitKind::Cr, u"OK", "", "ERR\rOK", 0, 1000,
                 false, false,
                 u"<受信済>\r\n[Row 0 check failed: expected \"OK\", received \"ERR\\r\".]\n"},
        CheckRun{"NlPattern", WaitKind::Nl, u"re:^\\d+\\r\\n$", "", "42\r\n", 300, 300, false, true,
                 kReceivedMarker},
        CheckRun{"AnyDecidesOnTheFirstByte", WaitKind::Any, u"AB", "", "AB", 0, 1000, false, false,
                 u"<受信済>\r\n[Row 0 check failed: expected \"AB\", received \"A\".]\n"},
        CheckRun{"NoWaitPassesOnArrivalEarly", WaitKind::None, u"OK", "xOKy", "", 0, std::nullopt,
                 false, true, u""},
        CheckRun{"NoWaitPassesOnArrivalLate", WaitKind::None, u"OK", "O", "K", 0, 1000, false, true,
                 u""},
        CheckRun{"NoWaitDefaultTimeOut", WaitKind::None, u"OK", "", "NO", 0, 1000, true, false,
                 u"[Row 0 check failed: expected \"OK\", received \"NO\".]\n"},
        CheckRun{"NoWaitSetTimeOut", WaitKind::None, u"OK", "", "", 250, 250, true, false,
                 u"[Row 0 check failed: expected \"OK\", received \"\".]\n"},
        CheckRun{"CrSilentTimesOutAsACheck", WaitKind::Cr, u"OK", "", "OK", 0, 1000, true, false,
                 u"[Row 0 check failed: expected \"OK\", received \"OK\".]\n"},
        CheckRun{"InvalidPatternFromAFile", WaitKind::Cr, u"re:a((", "", "a((\r", 0, 1000, false,
                 false,
                 u"<受信済>\r\n[Row 0 check failed: expected \"re:a((\" (missing ) for ( at 3), "
                 u"received \"a((\\r\".]\n"}),
    [](const auto& param) { return std::string(param.param.name); });

// Row 0 passes, row 2 fails on the answers the device gives to each.
class CheckedRuns : public ::testing::Test, protected PtyEngineRig {
protected:
    void SetUp() override
    {
        SetRow(0, u"A", WaitKind::Cr, 0, u"OK");
        SetRow(2, u"B", WaitKind::Cr, 0, u"OK");
    }
    // The answer's step sends the next row in the same tick when the row has no pause.
    void AnswerRow(std::string_view bytes)
    {
        Answer(bytes);
        Tick();
    }
};

TEST_F(CheckedRuns, GoingOnCountsEveryCycleUntilTheStop)
{
    run.stopOnFail = false;
    run.cyclic = true;
    SendAndTick();
    for (int cycle = 0; cycle < 2; ++cycle) {
        AnswerRow("OK\r");
        EXPECT_EQ(Image(0), kRowImagePass);
        // The failed last row's answer step starts the next cycle at once, which clears the
        // markers: its report line is what stays.
        terminal.clear();
        AnswerRow("NG\r");
        EXPECT_NE(terminal.text().find(u"[Row 2 check failed"), std::u16string::npos);
        EXPECT_TRUE(observer.running());
    }
    EXPECT_EQ(Received(5), "ABABA") << "the second cycle's last answer starts a third";
    terminal.clear();
    engine.OnStop();
    EXPECT_EQ(terminal.text(), u"[Checks: 2 passed, 2 failed.]\n");
    EXPECT_EQ(observer.counts(), (std::vector<std::pair<int64_t, int64_t>>{{2, 2}}));
}

// A run that ends on a halting row shows how the row ended first; the count is its last line,
// whether the row halts after its answer or, waiting for none, as it is sent.
TEST_F(CheckedRuns, AHaltingRowsMarkerComesBeforeTheCount)
{
    run.detailView = true;
    table.rows()[1] = SendRow{1, u"X", WaitKind::None, 1, 0, {}};
    table.rows()[2].halt = 1;
    table.RewriteFromRows();
    SendAndTick();
    terminal.clear();
    AnswerRow("OK\r");
    EXPECT_FALSE(observer.running());
    EXPECT_EQ(terminal.text(),
              u"OK\r<受信済>\r\n<送信済>\r\n<停止>\r\n[Checks: 1 passed, 0 failed.]\n");

    SendAndTick();
    terminal.clear();
    AnswerRow("OK\r");
    EXPECT_FALSE(observer.running());
    EXPECT_EQ(terminal.text(), u"OK\r<受信済>\r\n< 停止>\r\n[Checks: 1 passed, 0 failed.]\n");
}

TEST_F(CheckedRuns, StopOnFailureThenSendResumesAfterTheRow)
{
    SetRow(3, u"C", WaitKind::None);
    SendAndTick();
    AnswerRow("OK\r");
    AnswerRow("NG\r");
    EXPECT_FALSE(observer.running());
    EXPECT_EQ(observer.counts(), (std::vector<std::pair<int64_t, int64_t>>{{1, 1}}));
    EXPECT_EQ(Received(2), "AB");
    SendAndTick();
    EXPECT_EQ(Received(1), "C");
    EXPECT_EQ(observer.counts().back(), (std::pair<int64_t, int64_t>{0, 0}))
        << "the run from the failed row on has its own count";
}

} // namespace
} // namespace wirevane::test
