#include "terminal/control_mark.h"
#include "terminal/record_view.h"
#include "terminal/terminal_fixture.h"
#include "terminal/terminal_ids.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace wirevane {
namespace {

// The view's document as one string a test can compare: blocks joined by "|" ("~" before a
// block that continues the line above, "/" before one the view started around a report line),
// control marks as <CR>, <LF>, ..., text as it is.
std::u16string Drawn(RecordView& view)
{
    view.FlushPending();
    std::u16string out;
    for (QTextBlock block = view.document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block != view.document()->firstBlock())
            out += block.userState() == 1 ? u"~" : block.userState() == 3 ? u"/" : u"|";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const char16_t control = ControlMark::ControlOf(fragment.charFormat());
            if (control == 0) {
                out += fragment.text().toStdU16String();
                continue;
            }
            for (int i = 0; i < fragment.length(); ++i)
                out += u"<" + std::u16string(ControlMarkLabel(control)) + u">";
        }
    }
    return out;
}

class TerminalView : public test::TerminalFixture<> {
protected:
    void Receive(int conversion, std::u16string_view text)
    {
        Child<QComboBox>(terminal::kReceiveConversionCombo)->setCurrentIndex(conversion);
        terminal.AppendText(text);
    }
};

// One receive: the conversion chosen in the list, what came in or was there before, and what
// the record keeps and the view draws ("|" a line break, "/" a line of the view alone).
struct ReceiveCase {
    const char* name;
    int conversion;
    std::u16string received, record, drawn;
};

class TerminalViewCase : public TerminalView, public ::testing::WithParamInterface<ReceiveCase> {
protected:
    void ExpectRecordAndDrawn()
    {
        EXPECT_EQ(Edit().LineFormText(), GetParam().record);
        EXPECT_EQ(Drawn(Edit()), GetParam().drawn);
        EXPECT_EQ(Edit().ShownText(), GetParam().record);
    }
};

// What each receive conversion keeps in the record (saved as it is) and how it looks: only
// CR LF breaks a line, a lone CR or LF left by the conversion is a mark, never a hidden byte.
class ConversionMarks : public TerminalViewCase {};

TEST_P(ConversionMarks, KeepTheBytesAndMarkWhatDoesNotBreakALine)
{
    Receive(GetParam().conversion, GetParam().received);
    ExpectRecordAndDrawn();
}

const ReceiveCase kConversionCases[] = {
    {"LoneCrs", 0, u"OK\rOK\rテスト\r", u"OK\rOK\rテスト\r", u"OK<CR>OK<CR>テスト<CR>"},
    {"LoneLfs", 0, u"VALUE=1\nVALUE=2\n", u"VALUE=1\nVALUE=2\n", u"VALUE=1<LF>VALUE=2<LF>"},
    {"CrLfAndLfCr", 0, u"A\r\nB\n\rC", u"A\r\nB\n\rC", u"A|B<LF><CR>C"},
    {"CrToCrLf", 1, u"OK\rNG\r\n", u"OK\r\nNG\r\n\n", u"OK|NG|<LF>"},
    {"LfToCrLf", 2, u"OK\nNG\r\n", u"OK\r\nNG\r\r\n", u"OK|NG<CR>|"},
    {"ControlCharacters", 2, u"\x1b[1m\x07\tend", u"\x1b[1m\x07\tend", u"<ESC>[1m<BEL>\tend"},
};

INSTANTIATE_TEST_SUITE_P(Conversions, ConversionMarks, ::testing::ValuesIn(kConversionCases),
                         [](const auto& c) { return std::string(c.param.name); });

// The program's own lines ("[Connection to ... lost.]") end in a lone LF that no conversion but
// LF to CR LF makes a line end; in the view each still stands on a line of its own, so a lost
// device's reports cannot run together into one line that scrolls sideways. The record keeps
// the bytes. Here the case's received text comes before two reports and an answer.
class ReportLines : public TerminalViewCase {};

TEST_P(ReportLines, StandOnTheirOwnLineWhateverTheConversion)
{
    Receive(GetParam().conversion, GetParam().received);
    terminal.AppendReport(u"Lost.");
    terminal.AppendReport(u"No answer.");
    Receive(GetParam().conversion, u"OK\r");
    ExpectRecordAndDrawn();
}

const ReceiveCase kReportCases[] = {
    {"AsReceived", 0, u"12.3", u"12.3[Lost.]\n[No answer.]\nOK\r",
     u"12.3/[Lost.]<LF>/[No answer.]<LF>/OK<CR>"},
    {"CrToCrLf", 1, u"12.3", u"12.3[Lost.]\n[No answer.]\nOK\r\n",
     u"12.3/[Lost.]<LF>/[No answer.]<LF>/OK|"},
    {"LfToCrLf", 2, u"12.3", u"12.3[Lost.]\r\n[No answer.]\r\nOK\r",
     u"12.3/[Lost.]|[No answer.]|OK<CR>"},
    {"AfterALineEnd", 0, u"12.3\r\n", u"12.3\r\n[Lost.]\n[No answer.]\nOK\r",
     u"12.3|[Lost.]<LF>/[No answer.]<LF>/OK<CR>"},
    {"OnAnEmptyView", 0, u"", u"[Lost.]\n[No answer.]\nOK\r",
     u"[Lost.]<LF>/[No answer.]<LF>/OK<CR>"},
};

INSTANTIATE_TEST_SUITE_P(Conversions, ReportLines, ::testing::ValuesIn(kReportCases),
                         [](const auto& c) { return std::string(c.param.name); });

// The lines the view starts around a report hold no character of the record: backspace under
// local echo and trimming take the record and the view back alike.
TEST_F(TerminalView, BackspaceAndTrimmingKeepTheViewOfAReportLineWithTheRecord)
{
    Edit().SetRecordLimit(12, 4);
    Receive(0, u"abcdefg");
    terminal.AppendReport(u"X");
    QTest::keyClicks(&Edit(), QStringLiteral("hi"));
    EXPECT_EQ(Edit().LineFormText(), u"efg[X]\nhi");
    // The first line lost its oldest piece; what is left of it goes on after the notice.
    EXPECT_TRUE(Drawn(Edit()).ends_with(u"~efg/[X]<LF>/hi"));
    EXPECT_EQ(Edit().ShownText(), Edit().LineFormText());

    for (const auto& [keys, record, drawnEnd] :
         {std::tuple{2, u"efg[X]\n", u"~efg/[X]<LF>/"}, std::tuple{1, u"efg[X]", u"~efg/[X]"},
          std::tuple{4, u"ef", u"~ef"}}) {
        for (int i = 0; i < keys; ++i)
            QTest::keyClick(&Edit(), Qt::Key_Backspace);
        EXPECT_EQ(Edit().LineFormText(), record);
        EXPECT_TRUE(Drawn(Edit()).ends_with(drawnEnd)) << keys;
        EXPECT_EQ(Edit().ShownText(), Edit().LineFormText());
    }
}

TEST_F(TerminalView, ALongLineIsShownInPiecesAndSavedWhole)
{
    Edit().SetRecordLimit(1000, 4);
    Receive(0, u"abcdefghij");
    Receive(0, u"\r");
    EXPECT_EQ(Drawn(Edit()), u"abcd~efgh~ij<CR>");
    Receive(0, u"\nwxyz\r\n");
    // A line of exactly one piece has no empty piece after it.
    EXPECT_EQ(Drawn(Edit()), u"abcd~efgh~ij|wxyz|");
    EXPECT_EQ(Edit().LineFormText(), u"abcdefghij\r\nwxyz\r\n");
    EXPECT_EQ(Edit().ShownText(), Edit().LineFormText());
}

// The line that grows keeps its laid-out glyphs from frame to frame; a line that stopped growing
// lets them go, so a long record never holds more than one line's.
// Lines in sight keep their shaped glyphs from frame to frame, so a frame does not shape them
// again; a line that leaves the view lets them go, so what is kept stays a screenful however
// long the text grows, and emptying the view drops it all.
TEST_F(TerminalView, LinesInSightKeepTheirGlyphsAndOnlyThey)
{
    Edit().SetRecordLimit(1'000'000, 4);
    terminal.resize(600, 400);
    terminal.show();
    // One letter a line: k keeps its glyphs; - is laid out without them; x is not laid out,
    // and holds what its last layout left. Only laying a line out again without its cache
    // frees the glyphs, so a line that leaves the view must end up as -.
    const auto keeping = [this] {
        std::u16string kept;
        Drawn(Edit());
        for (QTextBlock b = Edit().document()->firstBlock(); b.isValid(); b = b.next())
            kept += b.layout()->cacheEnabled() ? u'k' : b.layout()->lineCount() > 0 ? u'-' : u'x';
        return kept;
    };
    const auto lines = [](int count) {
        std::u16string text;
        for (int i = 0; i < count; ++i)
            text += u"a line\r\n";
        return text;
    };
    const auto kept = [](const std::u16string& marks) {
        return std::count(marks.begin(), marks.end(), u'k');
    };
    Receive(0, u"ab");
    EXPECT_EQ(keeping(), u"k");

    Receive(0, lines(200));
    const std::u16string afterFirst = keeping();
    const auto inSight = kept(afterFirst);
    ASSERT_GT(inSight, 1);
    ASSERT_LT(inSight, 100);
    const std::size_t firstInSight = afterFirst.size() - std::size_t(inSight);
    EXPECT_EQ(afterFirst.substr(firstInSight), std::u16string(std::size_t(inSight), u'k'));

    Receive(0, lines(200));
    const std::u16string afterSecond = keeping();
    EXPECT_EQ(kept(afterSecond), inSight);
    EXPECT_EQ(afterSecond.substr(afterSecond.size() - std::size_t(inSight)),
              std::u16string(std::size_t(inSight), u'k'));
    EXPECT_EQ(afterSecond.substr(firstInSight, std::size_t(inSight)),
              std::u16string(std::size_t(inSight), u'-'));

    Edit().Clear();
    Receive(0, u"ab");
    EXPECT_EQ(keeping(), u"k");
}

// A flood of receive turns keeps Qt from running timers, so the frame timer alone would show
// nothing until the flood ends; text older than a frame goes on screen with the next append.
TEST_F(TerminalView, TextWaitingLongerThanAFrameIsShownWithTheNextAppendWithoutTheTimer)
{
    Receive(0, u"first ");
    EXPECT_EQ(Edit().document()->toPlainText(), QString());
    QTest::qSleep(40);
    Receive(0, u"second");
    EXPECT_EQ(Edit().document()->toPlainText(), QStringLiteral("first second"));
}

// The record keeps its newest characters, dropping whole old lines, and the view drops the
// same; the top of the view says that text is gone.
TEST_F(TerminalView, TrimmingDropsWholeOldLinesAndSaysSoAtTheTop)
{
    Edit().SetRecordLimit(12, 4);
    Receive(0, u"one\r\ntwo\r\n");
    EXPECT_FALSE(Edit().record().trimmed());
    Receive(0, u"three\r\n");
    EXPECT_TRUE(Edit().record().trimmed());
    EXPECT_EQ(Edit().LineFormText(), u"two\r\nthree\r\n");
    const std::u16string drawn = Drawn(Edit());
    EXPECT_TRUE(drawn.starts_with(u"[古い受信テキストは削除されました")) << "notice first";
    EXPECT_TRUE(drawn.ends_with(u"|two|thre~e|"));
    EXPECT_EQ(Edit().ShownText(), Edit().LineFormText());

    // Trims of one frame add up, the notice stays one line.
    for (int i = 0; i < 20; ++i)
        Receive(0, u"L" + std::u16string(1, char16_t(u'a' + i)) + u"\r\n");
    EXPECT_EQ(Edit().LineFormText(), u"Lr\r\nLs\r\nLt\r\n");
    Edit().FlushPending();
    EXPECT_EQ(Edit().ShownText(), Edit().LineFormText());
    EXPECT_EQ(Edit().document()->blockCount(), 5);

    terminal.ClearText();
    EXPECT_FALSE(Edit().record().trimmed());
    EXPECT_EQ(Drawn(Edit()), u"");
}

TEST_F(TerminalView, ALineLongerThanTheLimitLosesOnlyItsOldestPieces)
{
    Edit().SetRecordLimit(8, 4);
    Receive(0, u"ab\r\n0123456789");
    EXPECT_EQ(Edit().LineFormText(), u"456789");
    EXPECT_TRUE(Drawn(Edit()).ends_with(u"~4567~89"));
    Receive(0, u"ABCD\r");
    Edit().FlushPending();
    Receive(0, u"\n");
    EXPECT_EQ(Edit().LineFormText(), u"89ABCD\r\n");
    EXPECT_TRUE(Drawn(Edit()).ends_with(u"~89AB~CD|"));
    EXPECT_EQ(Edit().ShownText(), Edit().LineFormText());
}

// A flood far beyond the limit, in uneven chunks and with a lone CR now and then, never
// empties the record and never shows what it does not keep.
TEST_F(TerminalView, AFloodStaysWithinTheLimitAndShowsExactlyTheRecord)
{
    Edit().SetRecordLimit(5000, 64);
    std::u16string all;
    for (int i = 0; i < 3000; ++i) {
        std::u16string chunk = u"row " + std::u16string(std::size_t(i % 150), u'x');
        chunk += i % 7 == 0 ? u"\r" : u"\r\n";
        all += chunk;
        Receive(0, chunk);
        if (i % 13 == 0)
            Edit().FlushPending();
    }
    Edit().FlushPending();
    EXPECT_LE(Edit().LineFormLength(), 5000);
    EXPECT_GT(Edit().LineFormLength(), 4000);
    EXPECT_TRUE(all.ends_with(Edit().LineFormText()));
    EXPECT_EQ(Edit().ShownText(), Edit().LineFormText());
}

// A view smaller than the record drops old lines from the view only: the record keeps them
// for saving, the view shows exactly the record's newest whole lines and says so at its top,
// and selecting all of it copies what is shown: the bytes that came, not their marks, and no
// break where the view split a line into pieces.
TEST_F(TerminalView, AViewSmallerThanTheRecordShowsItsNewestLinesAndCopiesThem)
{
    Edit().SetRecordLimit(1000, 4, 14);
    Receive(0, u"one\r\ntwo\r\nthr\re\r\n");
    Edit().FlushPending();
    EXPECT_EQ(Edit().LineFormText(), u"one\r\ntwo\r\nthr\re\r\n");
    EXPECT_FALSE(Edit().record().trimmed());
    EXPECT_EQ(Edit().ShownText(), u"two\r\nthr\re\r\n");
    EXPECT_TRUE(Drawn(Edit()).starts_with(u"[古い受信テキストは表示から外しました"));

    Edit().selectAll();
    Edit().copy();
    EXPECT_EQ(QApplication::clipboard()->text().toStdU16String(), u"two\r\nthr\re\r\n");

    // A backspace takes the character from both, the next line goes on from there.
    Edit().RemoveLastCharacter();
    Receive(0, u"\nfour\r\n");
    Edit().FlushPending();
    EXPECT_EQ(Edit().LineFormText(), u"one\r\ntwo\r\nthr\re\r\nfour\r\n");
    EXPECT_EQ(Edit().ShownText(), u"thr\re\r\nfour\r\n");

    terminal.ClearText();
    EXPECT_EQ(Drawn(Edit()), u"");
    EXPECT_EQ(Edit().LineFormText(), u"");
}

} // namespace
} // namespace wirevane
