#include "core/linux/pty_engine_rig.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace wirevane::test {
namespace {

// Later rows send what earlier rows' pattern checks read; the test plays the device.
class AnswerValuesRun : public ::testing::Test, protected PtyEngineRig {
protected:
    // Runs the table, answering each waiting row in turn; what the device received.
    std::string Run(std::initializer_list<std::string_view> answers, std::size_t sentBytes)
    {
        SendAndTick();
        for (std::string_view answer : answers) {
            Answer(answer);
            Tick();
        }
        return Received(sentBytes);
    }
};

TEST_F(AnswerValuesRun, ASerialNumberReadIsSentBackAsItArrivedAndANewRunForgetsIt)
{
    SetRow(0, u"SN?", WaitKind::Cr, 0, u"re:SN=(\\S+)");
    SetRow(1, u"SET {1}", WaitKind::None);
    terminal.setLocalEcho(true);
    // A, 電 in Shift_JIS (octal 223, then "d"), 1: the value's bytes go out without a trip
    // through text.
    EXPECT_EQ(Run({"SN=A\223d1\r"}, 11), "SN?SET A\223d1");
    EXPECT_NE(terminal.text().find(u"SET A電1"), std::u16string::npos) << "the echo";

    engine.OnReset();
    table.rows()[0] = SendRow{};
    table.RewriteFromRows();
    terminal.clear();
    SendAndTick();
    EXPECT_FALSE(observer.running());
    EXPECT_EQ(Image(1), kRowImageHalt);
    EXPECT_EQ(run.currentRow, 1) << "the next Send tries the row again";
    EXPECT_EQ(terminal.text(),
              u"[Row 1 is not sent: {1} has no value; no passing check of this run gave it.]\n");
    EXPECT_EQ(pty.ReadMasterAvailable(), "");
}

TEST_F(AnswerValuesRun, ARowsOwnGroupAndTheMostRecentCheck)
{
    SetRow(7, u"A", WaitKind::Cr, 0, u"re:V=(\\d+)");
    SetRow(8, u"B", WaitKind::Cr, 0, u"re:W=(\\d+)");
    SetRow(9, u"{R7.1}-{1}", WaitKind::None);
    EXPECT_EQ(Run({"V=12\r", "W=34\r"}, 7), "AB12-34");
}

// Braces that are no reference stay as written. "\o" takes three bytes: the digit and both bytes
// of the double-byte character, so the brace after it opens a reference.
TEST_F(AnswerValuesRun, BracesThatAreNoReferenceStayAsWrittenAndEscapeDigitsCountInBytes)
{
    SetRow(0, u"Q", WaitKind::Cr, 0, u"re:(x)");
    SetRow(1, u"a{b{x}{R}{R1}{0}\\x7B1}\\{1}{1234}\\o1\u3042{1}", WaitKind::None);
    const std::string sent = "Qa{b{x}{R}{R1}{0}{1}{1}{1234}\001x";
    EXPECT_EQ(Run({"x\r"}, sent.size()), sent);
}

} // namespace
} // namespace wirevane::test
