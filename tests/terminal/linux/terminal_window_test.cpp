#include "support/file_text.h"
#include "support/modal_helper.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"
#include "terminal/terminal_fixture.h"
#include "terminal/terminal_ids.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using test::FileText;

class TerminalWindow : public test::TerminalFixture<> {
protected:
    void OpenPort() { ASSERT_EQ(port.Open(pty.slavePathU16()), 0u); }
    void Type(const QString& keys) { QTest::keyClicks(&Edit(), keys); }
    void Press(Qt::Key key) { QTest::keyClick(&Edit(), key); }
    void Click(int button) { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }
    QCheckBox* LocalEchoBox() { return Child<QCheckBox>(terminal::kLocalEchoBox); }
    QAction* Action(int id) { return Child<QAction>(id); }

    test::TempDir dir;
    test::PtyPair pty;
};

// A key typed after "xyz" with local echo and a send line end (the list's index) chosen: its
// name, the key and its text, the bytes written, the text shown and what is left selected.
using KeyCase = std::tuple<const char*, bool, int, Qt::Key, const char16_t*, std::string,
                           std::u16string, const char16_t*>;

const KeyCase kKeyCases[] = {
    {"LetterWithoutEcho", false, 1, Qt::Key_A, u"A", "A", u"xyz", u""},
    {"LetterWithEcho", true, 1, Qt::Key_B, u"B", "B", u"xyzB", u""},
    // Shift_JIS by default: one write of the character's two bytes.
    {"JapaneseWithEcho", true, 1, Qt::Key_unknown, u"あ", "\x82\xA0", u"xyzあ", u""},
    // With echo each Enter breaks the line as the user sees it, whatever is sent.
    {"EnterAsCrLf", true, 1, Qt::Key_Return, u"\r", "\r\n", u"xyz\r\n", u""},
    {"EnterAsLf", true, 2, Qt::Key_Return, u"\r", "\n", u"xyz\r\n", u""},
    {"KeypadEnterAsCr", true, 0, Qt::Key_Enter, u"\r", "\r", u"xyz\r\n", u""},
    // Without echo Backspace only selects the character it would delete.
    {"BackspaceWithoutEcho", false, 1, Qt::Key_Backspace, u"\b", "\b", u"xyz", u"z"},
    {"BackspaceWithEcho", true, 1, Qt::Key_Backspace, u"\b", "\b", u"xy", u""},
};

class TypedKey : public TerminalWindow, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(TypedKey, IsWrittenAndEchoedOnlyWithLocalEcho)
{
    const auto& [name, echo, lineEnd, key, text, sent, shown, selected] = GetParam();
    OpenPort();
    terminal.AppendText(u"xyz");
    if (!echo)
        LocalEchoBox()->click();
    Child<QComboBox>(terminal::kSendLineEndCombo)->setCurrentIndex(lineEnd);
    QTest::sendKeyEvent(QTest::Click, &Edit(), key, QString::fromUtf16(text), Qt::NoModifier);
    EXPECT_EQ(pty.ReadMaster(sent.size()), sent);
    EXPECT_EQ(pty.ReadMasterAvailable(), "");
    EXPECT_EQ(Text(), shown);
    EXPECT_EQ(Edit().textCursor().selectedText(), QString::fromUtf16(selected));
}

INSTANTIATE_TEST_SUITE_P(Keys, TypedKey, ::testing::ValuesIn(kKeyCases),
                         [](const auto& key) { return std::string(std::get<0>(key.param)); });

TEST_F(TerminalWindow, TypingWhileClosedWritesNothingButStillEchoes)
{
    EXPECT_TRUE(terminal.IsLocalEcho()) << "local echo starts on";
    Type(QStringLiteral("hi"));
    Press(Qt::Key_Return);
    EXPECT_EQ(Text(), u"hi\r\n");
    EXPECT_EQ(pty.ReadMasterAvailable(), "");
}

// The record only grows at its end: neither appended nor echoed text goes where the caret is.
TEST_F(TerminalWindow, AppendAndEchoAlwaysAddAtTheEndWhateverTheCaret)
{
    terminal.AppendText(u"first line\r\n");
    Edit().FlushPending();
    QTextCursor cursor = Edit().textCursor();
    cursor.setPosition(3);
    Edit().setTextCursor(cursor);
    Type(QStringLiteral("!"));
    terminal.AppendText(u"second");
    EXPECT_EQ(Text(), u"first line\r\n!second");
    Edit().FlushPending();
    EXPECT_EQ(Edit().textCursor().position(), Edit().document()->characterCount() - 1);
}

// The Clear button and menu item empty the text; closing only hides the window and keeps it.
TEST_F(TerminalWindow, ClearingEmptiesTheTextAndClosingOnlyHidesTheWindow)
{
    terminal.AppendText(u"abc");
    Click(terminal::kClearButton);
    EXPECT_EQ(Text(), u"");
    terminal.AppendText(u"abc");
    Action(terminal::kClearAll)->trigger();
    EXPECT_EQ(Text(), u"");

    terminal.show();
    terminal.AppendText(u"still here");
    Click(terminal::kCloseButton);
    EXPECT_FALSE(terminal.isVisible());
    terminal.show();
    terminal.close();
    EXPECT_FALSE(terminal.isVisible());
    EXPECT_EQ(Text(), u"still here");
}

TEST_F(TerminalWindow, SaveWritesCodePage932WithoutTerminatorKeepsLongTextAndStartsInTheFilesFolder)
{
    terminal.AppendText(u"日本語 OK\r\n半角ｶﾅ\n");
    ASSERT_TRUE(terminal.SaveTextTo(dir / "t.txt").ok());
    EXPECT_EQ(FileText(dir / "t.txt"), "\x93\xFA\x96\x7B\x8C\xEA OK\r\n\x94\xBC\x8A\x70\xB6\xC5\n");

    // Characters code page 932 cannot hold do not end the file.
    terminal.ClearText();
    terminal.AppendText(u"a\u00E9b");
    ASSERT_TRUE(terminal.SaveTextTo(dir / "t.txt").ok());
    EXPECT_EQ(FileText(dir / "t.txt"), "a?b");
    // A folder that is not there fails the save and the text stays.
    EXPECT_FALSE(terminal.SaveTextTo(dir / "no-such-folder" / "t.txt").ok());
    EXPECT_EQ(Text(), u"a\u00E9b");

    // More than 16 MiB of bytes is kept whole.
    terminal.ClearText();
    std::u16string big;
    for (int i = 0; i < 17 * 1024 * 1024 / 80 + 10; ++i)
        big += std::u16string(39, u'字') + u"\r\n";
    terminal.AppendText(big);
    ASSERT_TRUE(terminal.SaveTextTo(dir / "big.txt").ok());
    EXPECT_EQ(std::filesystem::file_size(dir / "big.txt"), big.size() / 41 * 80);

    // An installed program's executable sits in a folder no user may write to; the save dialog
    // starts where the program's files live instead.
    host.filesFolder = dir.path();
    std::filesystem::path shown;
    test::WhenModal<QFileDialog>([&shown](QFileDialog* dialog) {
        shown = dialog->directory().absolutePath().toStdU16String();
        dialog->reject();
    });
    Action(terminal::kSaveText)->trigger();
    EXPECT_EQ(shown, dir.path());
}

TEST_F(TerminalWindow, CommandsGoToTheMainWindow)
{
    Action(terminal::kConnect)->trigger();
    EXPECT_EQ(host.lastParent, &terminal);
    for (int id : {terminal::kPortSettings, terminal::kDisconnect, terminal::kSendBreak,
                   terminal::kTesterMode, terminal::kUtf8Item})
        Action(id)->trigger();
    EXPECT_TRUE(Action(terminal::kTesterMode)->isChecked());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"connect", "settings", "disconnect", "break",
                                                    "tester", "encoding 1"}));
}

TEST_F(TerminalWindow, EncodingComboAndMenuShowTheSharedEncoding)
{
    terminal.show();
    QComboBox* combo = Child<QComboBox>(terminal::kEncodingCombo);
    QTest::mouseClick(combo, Qt::LeftButton);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        QTest::keyClick(combo->view(), key);
    EXPECT_EQ(host.calls.back(), "encoding 2");

    terminal.ShowEncoding(TextEncoding::Utf8);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_TRUE(Action(terminal::kUtf8Item)->isChecked());
    EXPECT_EQ(Edit().m_encoding, TextEncoding::Utf8);

    terminal.ShowEncoding(static_cast<TextEncoding>(7));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_TRUE(Action(terminal::kSjisItem)->isChecked());
    EXPECT_FALSE(Action(terminal::kUtf8Item)->isChecked());
}

} // namespace
} // namespace wirevane
