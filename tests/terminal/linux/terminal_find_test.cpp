#include "support/pty_pair.h"
#include "support/widgets/clipped_text.h"
#include "terminal/find_bar.h"
#include "terminal/record_search.h"
#include "terminal/terminal_fixture.h"
#include "terminal/terminal_ids.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

std::vector<std::size_t> Starts(const std::vector<TextMatch>& matches)
{
    std::vector<std::size_t> starts;
    starts.reserve(matches.size());
    for (const TextMatch& match : matches)
        starts.push_back(match.start);
    return starts;
}

TEST(RecordSearch, FindsJapaneseAndLettersOfEitherCaseWithoutOverlapping)
{
    const std::u16string text = u"温度 OK\r\n温度 ok\r\nＯＫ 温度温度";
    EXPECT_EQ(Starts(FindAll(text, u"温度", true, 100)), (std::vector<std::size_t>{0, 7, 17, 19}));
    EXPECT_EQ(Starts(FindAll(text, u"OK", false, 100)), (std::vector<std::size_t>{3, 10}));
    EXPECT_EQ(Starts(FindAll(text, u"ｏｋ", false, 100)), (std::vector<std::size_t>{14}));
    EXPECT_EQ(Starts(FindAll(text, u"OK", true, 100)), (std::vector<std::size_t>{3}));
    EXPECT_EQ(Starts(FindAll(u"aaaa", u"aa", true, 100)), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(FindAll(text, u"温度", true, 2).size(), 2u);
    EXPECT_TRUE(FindAll(text, u"", true, 100).empty());
}

class TerminalFind : public test::TerminalFixture<> {
protected:
    TerminalFind()
    {
        EXPECT_EQ(port.Open(pty.slavePathU16()), 0u);
        terminal.show();
        terminal.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&terminal));
        Edit().setFocus();
    }

    FindBar& Bar() { return terminal.findBar(); }
    QLineEdit* Field() { return Bar().findChild<QLineEdit*>(QStringLiteral("find-text")); }
    QString Count() { return Bar().findChild<QLabel*>(QStringLiteral("find-count"))->text(); }
    std::u16string Current() { return Edit().SelectedLineForm(); }
    // As a keyboard delivers it: with its control character as the text.
    void CtrlF()
    {
        QTest::sendKeyEvent(QTest::Click, &Edit(), Qt::Key_F, QStringLiteral("\x06"),
                            Qt::ControlModifier);
    }

    test::PtyPair pty;
};

// Ctrl+F is where every desktop program finds; the device's 0x06 is a row's "\x06" instead.
// The other control keys still go to the device. Esc in the bar closes it, and the text area
// gets its keys back.
TEST_F(TerminalFind, CtrlFOpensTheBarWithoutSendingAndEscClosesItAgain)
{
    terminal.AppendText(u"OK\r\n");
    CtrlF();
    EXPECT_TRUE(Bar().isVisible());
    EXPECT_TRUE(Field()->hasFocus());
    QTest::sendKeyEvent(QTest::Click, &Edit(), Qt::Key_G, QStringLiteral("\x07"),
                        Qt::ControlModifier);
    EXPECT_EQ(pty.ReadMaster(1), "\x07");
    EXPECT_EQ(pty.ReadMasterAvailable(), "");

    QTest::keyClicks(Field(), QStringLiteral("OK"));
    QTest::keyClick(Field(), Qt::Key_Escape);
    EXPECT_FALSE(Bar().isVisible());
    EXPECT_TRUE(Edit().extraSelections().isEmpty());
    EXPECT_TRUE(Edit().hasFocus());
    EXPECT_EQ(pty.ReadMasterAvailable(), "") << "Esc that closes the bar is not typed";
    QTest::keyClick(&Edit(), Qt::Key_Escape);
    EXPECT_EQ(pty.ReadMaster(1), "\x1b");
    EXPECT_TRUE(terminal.isVisible()) << "Esc in the text area does not close the window";
}

TEST_F(TerminalFind, MatchesAreHighlightedAndEnterStepsThroughThemRoundTheEnds)
{
    terminal.AppendText(u"温度=21\r\n湿度=40\r\n温度=22\r\n温度=23\r\n");
    Bar().Open();
    Field()->insert(QStringLiteral("温度"));
    EXPECT_EQ(Edit().extraSelections().size(), 3);
    EXPECT_EQ(Count(), QStringLiteral("3 / 3 件")) << "the newest first, where the view is";
    EXPECT_EQ(Current(), u"温度");

    QTest::keyClick(Field(), Qt::Key_Return);
    EXPECT_EQ(Bar().current(), 0);
    QTest::keyClick(Field(), Qt::Key_Return);
    EXPECT_EQ(Bar().current(), 1);
    EXPECT_EQ(Edit().textCursor().selectionStart(), 12);
    QTest::keyClick(Field(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(Field(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Bar().current(), 2);
    Bar().findChild<QToolButton*>(QStringLiteral("find-previous"))->click();
    EXPECT_EQ(Count(), QStringLiteral("2 / 3 件"));

    Field()->setText(QStringLiteral("気圧"));
    EXPECT_EQ(Count(), QStringLiteral("見つかりません"));
    EXPECT_TRUE(Edit().extraSelections().isEmpty());
    QTest::keyClick(Field(), Qt::Key_Return);
    EXPECT_EQ(Bar().current(), -1);
}

// The view breaks a long line into pieces; a match over a break is one match, and it selects
// exactly the text that was found.
TEST_F(TerminalFind, AMatchOverAPieceBreakIsFoundAndSelectedWhole)
{
    Edit().SetRecordLimit(1000, 4);
    terminal.AppendText(u"abcdefgh\r\n");
    Bar().Open();
    Field()->setText(QStringLiteral("cdef"));
    EXPECT_EQ(Count(), QStringLiteral("1 / 1 件"));
    EXPECT_EQ(Current(), u"cdef");
}

// Traffic goes on while the bar is open: the next step finds in what the view shows now, from
// the match the user was at.
TEST_F(TerminalFind, TheNextStepFindsInTextThatArrivedAfterTheSearch)
{
    terminal.AppendText(u"ERR 1\r\nok\r\n");
    Bar().Open();
    Field()->setText(QStringLiteral("err"));
    EXPECT_EQ(Count(), QStringLiteral("1 / 1 件"));
    terminal.AppendText(u"ERR 2\r\n");
    QTest::keyClick(Field(), Qt::Key_Return);
    EXPECT_EQ(Count(), QStringLiteral("2 / 2 件"));
    EXPECT_EQ(Edit().textCursor().selectionStart(), 9);

    // Clearing the text leaves nothing to count or highlight, at once, before any step.
    QTest::mouseClick(Child<QPushButton>(terminal::kClearButton), Qt::LeftButton);
    EXPECT_EQ(Count(), QStringLiteral("見つかりません"));
    EXPECT_TRUE(Edit().extraSelections().isEmpty());
}

TEST_F(TerminalFind, TheOpenBarShowsEveryTextWholeAtTheWindowsSmallestSize)
{
    Bar().Open();
    Field()->setText(QStringLiteral("x"));
    terminal.resize(1, 1);
    QApplication::processEvents();
    EXPECT_EQ(test::Describe(test::FindClippedText(terminal)).toStdString(), "");
}

} // namespace
} // namespace wirevane
