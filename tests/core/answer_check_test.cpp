#include "core/check_report_text.h"
#include "fakes/held_port.h"
#include "support/sequence_rig.h"

#include <gtest/gtest.h>
#include <optional>

namespace wirevane {
namespace {

struct CheckRun {
    const char* name;
    WaitKind wait;
    std::u16string_view expect;
    std::string_view early; // arrives before the port says the row is out
    std::string_view late;
    int limitMs;                // the answer time-out set, 0 for none
    std::optional<int> armedMs; // the answer time armed once the row is out
    bool timesOut;
    bool passes;
    std::u16string_view report; // the terminal's lines from the verdict on
};

std::ostream& operator<<(std::ostream& out, const CheckRun& c)
{
    return out << c.name;
}

class AnswerCheck : public ::testing::TestWithParam<CheckRun>,
                    protected test::SequenceRig<test::HeldPort> {
protected:
    void Answer(std::string_view bytes)
    {
        if (!bytes.empty())
            Receive({bytes.begin(), bytes.end()});
    }
    test::ManualStepTimer answerTimer;
};

TEST_P(AnswerCheck, DecidesOnTheRowsAnswerWindow)
{
    const CheckRun& c = GetParam();
    table.rows()[0] = SendRow{1, u"Q", c.wait, 0, 0, std::u16string(c.expect)};
    table.rows()[1] = SendRow{1, u"NEXT", WaitKind::None, 0, 0};
    table.RewriteFromRows();
    run.detailView = true;
    engine.SetAnswerTimeout(&answerTimer, c.limitMs);
    engine.OnSend();
    Tick();
    Answer(c.early);
    port.End();
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
    EXPECT_EQ(terminal.text(), c.report);
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
                 u"<受信済>\r\n[Row 0 check failed: expected \"OK\", received \"ERR\\r\".]\n"
                 u"[Checks: 0 passed, 1 failed.]\n"},
        CheckRun{"NlPattern", WaitKind::Nl, u"re:^\\d+\\r\\n$", "", "42\r\n", 300, 300, false, true,
                 kReceivedMarker},
        CheckRun{"AnyDecidesOnTheFirstByte", WaitKind::Any, u"AB", "", "AB", 0, 1000, false, false,
                 u"<受信済>\r\n[Row 0 check failed: expected \"AB\", received \"A\".]\n"
                 u"[Checks: 0 passed, 1 failed.]\n"},
        CheckRun{"NoWaitPassesOnArrivalEarly", WaitKind::None, u"OK", "xOKy", "", 0, std::nullopt,
                 false, true, u""},
        CheckRun{"NoWaitPassesOnArrivalLate", WaitKind::None, u"OK", "O", "K", 0, 1000, false, true,
                 u""},
        CheckRun{"NoWaitDefaultTimeOut", WaitKind::None, u"OK", "", "NO", 0, 1000, true, false,
                 u"[Row 0 check failed: expected \"OK\", received \"NO\".]\n"
                 u"[Checks: 0 passed, 1 failed.]\n"},
        CheckRun{"NoWaitSetTimeOut", WaitKind::None, u"OK", "", "", 250, 250, true, false,
                 u"[Row 0 check failed: expected \"OK\", received \"\".]\n"
                 u"[Checks: 0 passed, 1 failed.]\n"},
        CheckRun{"CrSilentTimesOutAsACheck", WaitKind::Cr, u"OK", "", "OK", 0, 1000, true, false,
                 u"[Row 0 check failed: expected \"OK\", received \"OK\".]\n"
                 u"[Checks: 0 passed, 1 failed.]\n"},
        CheckRun{"InvalidPatternFromAFile", WaitKind::Cr, u"re:a((", "", "a((\r", 0, 1000, false,
                 false,
                 u"<受信済>\r\n[Row 0 check failed: expected \"re:a((\" (missing ) for ( at 3), "
                 u"received \"a((\\r\".]\n[Checks: 0 passed, 1 failed.]\n"}),
    [](const auto& param) { return std::string(param.param.name); });

class CheckedRuns : public ::testing::Test, protected test::SequenceRig<> {
protected:
    // Row 0 passes, row 2 fails on the answers the device gives to each.
    void SetUp() override
    {
        table.rows()[0] = SendRow{1, u"A", WaitKind::Cr, 0, 0, u"OK"};
        table.rows()[2] = SendRow{1, u"B", WaitKind::Cr, 0, 0, u"OK"};
        table.RewriteFromRows();
    }
    // The answer's step sends the next row in the same tick when the row has no pause.
    void AnswerRow(std::string_view bytes)
    {
        Receive({bytes.begin(), bytes.end()});
        Tick();
    }
};

TEST_F(CheckedRuns, GoingOnCountsEveryCycleUntilTheStop)
{
    run.stopOnFail = false;
    run.cyclic = true;
    engine.OnSend();
    Tick();
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
    terminal.clear();
    engine.OnStop();
    EXPECT_EQ(terminal.text(), u"[Checks: 2 passed, 2 failed.]\n");
    EXPECT_EQ(observer.counts(), (std::vector<std::pair<int, int>>{{2, 2}}));
}

TEST_F(CheckedRuns, StopOnFailureThenSendResumesAfterTheRow)
{
    table.rows()[3] = SendRow{1, u"C", WaitKind::None, 0, 0};
    table.RewriteFromRows();
    engine.OnSend();
    Tick();
    AnswerRow("OK\r");
    AnswerRow("NG\r");
    EXPECT_FALSE(observer.running());
    EXPECT_EQ(observer.counts(), (std::vector<std::pair<int, int>>{{1, 1}}));
    port.clearWritten();
    engine.OnSend();
    Tick();
    EXPECT_EQ(port.written(), (std::vector<uint8_t>{'C'}));
    EXPECT_EQ(observer.counts().back(), (std::pair<int, int>{0, 0}))
        << "the run from the failed row on has its own count";
}

TEST_F(CheckedRuns, TableWithoutChecksReportsNoCount)
{
    table.rows()[0].expect.clear();
    table.rows()[2].expect.clear();
    table.RewriteFromRows();
    engine.OnSend();
    Tick();
    AnswerRow("x\r");
    AnswerRow("x\r");
    EXPECT_FALSE(observer.running());
    EXPECT_EQ(terminal.text().find(u"Checks"), std::u16string::npos);
    EXPECT_TRUE(observer.counts().empty());
}

struct Shown {
    std::string_view received;
    std::u16string_view text;
};

class ReceivedInTheReport : public ::testing::TestWithParam<Shown> {};

TEST_P(ReceivedInTheReport, EscapesControlBytesAndCutsLongAnswers)
{
    const Bytes bytes(GetParam().received.begin(), GetParam().received.end());
    EXPECT_EQ(CheckFailedText(7, u"OK\\r", bytes, TextEncoding::Sjis, u""),
              u"Row 7 check failed: expected \"OK\\r\", received \"" +
                  std::u16string(GetParam().text) + u"\".");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReceivedInTheReport,
    ::testing::Values(Shown{"ERR 12\r", u"ERR 12\\r"},
                      Shown{std::string_view("\0\x1b\t\n\\\x7f", 6), u"\\x00\\x1B\\t\\n\\\\\\x7F"},
                      Shown{"\x93\x64\x88\xB3", u"電圧"},
                      Shown{std::string_view("0123456789012345678901234567890123456789"
                                             "0123456789012345678901234567890123456789X"),
                            u"0123456789012345678901234567890123456789"
                            u"0123456789012345678901234567890123456789…"}));

} // namespace
} // namespace wirevane
