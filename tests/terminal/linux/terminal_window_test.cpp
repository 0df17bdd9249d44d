#include "fakes/recording_terminal_host.h"
#include "serial/serial.h"
#include "serial/serial_port_access.h"
#include "support/modal_helper.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"
#include "terminal/dialog_terminal.h"
#include "terminal/terminal_ids.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace wirevane {
namespace {

std::u16string Text(CDialogTerminal& terminal)
{
    return terminal.edit().LineFormText();
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TerminalWindow : public ::testing::Test {
protected:
    TerminalWindow() : access(port), terminal(host, &access) {}
    ~TerminalWindow() override { port.Close(); }

    void OpenPort() { ASSERT_EQ(port.Open(pty.slavePathU16()), 0u); }
    void Type(const QString& keys) { QTest::keyClicks(&terminal.edit(), keys); }
    void Press(Qt::Key key) { QTest::keyClick(&terminal.edit(), key); }
    QCheckBox* LocalEchoBox()
    {
        return terminal.findChild<QCheckBox*>(QString::number(terminal::kLocalEchoBox));
    }
    QComboBox* Combo(int id) { return terminal.findChild<QComboBox*>(QString::number(id)); }
    QAction* Action(int id) { return terminal.findChild<QAction*>(QString::number(id)); }

    test::PtyPair pty;
    CSerial port;
    SerialPortAccess access;
    test::RecordingTerminalHost host;
    CDialogTerminal terminal;
};

TEST_F(TerminalWindow, TypingWritesEachCharacterAndEchoesOnlyWithLocalEcho)
{
    OpenPort();
    EXPECT_TRUE(terminal.IsLocalEcho()) << "local echo starts on";

    LocalEchoBox()->click();
    ASSERT_FALSE(terminal.IsLocalEcho());
    Type(QStringLiteral("A"));
    EXPECT_EQ(pty.ReadMaster(1), "A");
    EXPECT_EQ(Text(terminal), u"");

    LocalEchoBox()->click();
    Type(QStringLiteral("Bc"));
    EXPECT_EQ(pty.ReadMaster(2), "Bc");
    EXPECT_EQ(Text(terminal), u"Bc");

    // Shift_JIS by default: one write of the character's two bytes.
    QTest::sendKeyEvent(QTest::Click, &terminal.edit(), Qt::Key_unknown, QString::fromUtf16(u"あ"),
                        Qt::NoModifier);
    EXPECT_EQ(pty.ReadMaster(2), "\x82\xA0");
    EXPECT_EQ(Text(terminal), u"Bcあ");
}

TEST_F(TerminalWindow, EnterWritesTheChosenSendLineEnd)
{
    OpenPort();
    EXPECT_EQ(Combo(terminal::kSendLineEndCombo)->currentIndex(), 1);
    Press(Qt::Key_Return);
    EXPECT_EQ(pty.ReadMaster(2), "\r\n");
    Combo(terminal::kSendLineEndCombo)->setCurrentIndex(2);
    Press(Qt::Key_Return);
    EXPECT_EQ(pty.ReadMaster(1), "\n");
    Combo(terminal::kSendLineEndCombo)->setCurrentIndex(0);
    Press(Qt::Key_Enter);
    EXPECT_EQ(pty.ReadMaster(1), "\r");
    EXPECT_EQ(pty.ReadMasterAvailable(), "");
    // With echo each Enter broke the line as the user sees it.
    EXPECT_EQ(Text(terminal), u"\r\n\r\n\r\n");
}

TEST_F(TerminalWindow, BackspaceIsSentAndDeletesOnlyWithLocalEcho)
{
    OpenPort();
    terminal.AppendText(u"xyz");
    LocalEchoBox()->click();
    Press(Qt::Key_Backspace);
    EXPECT_EQ(pty.ReadMaster(1), "\b");
    EXPECT_EQ(Text(terminal), u"xyz");
    EXPECT_EQ(terminal.edit().textCursor().selectedText(), QStringLiteral("z"));

    LocalEchoBox()->click();
    Press(Qt::Key_Backspace);
    EXPECT_EQ(pty.ReadMaster(1), "\b");
    EXPECT_EQ(Text(terminal), u"xy");
}

TEST_F(TerminalWindow, TypingWhileClosedWritesNothingButStillEchoes)
{
    Type(QStringLiteral("hi"));
    Press(Qt::Key_Return);
    EXPECT_EQ(Text(terminal), u"hi\r\n");
    EXPECT_EQ(pty.ReadMasterAvailable(), "");
}

// The record only grows at its end: neither appended nor echoed text goes where the caret is.
TEST_F(TerminalWindow, AppendAndEchoAlwaysAddAtTheEndWhateverTheCaret)
{
    terminal.AppendText(u"first line\r\n");
    terminal.edit().FlushPending();
    QTextCursor cursor = terminal.edit().textCursor();
    cursor.setPosition(3);
    terminal.edit().setTextCursor(cursor);
    Type(QStringLiteral("!"));
    terminal.AppendText(u"second");
    EXPECT_EQ(Text(terminal), u"first line\r\n!second");
    terminal.edit().FlushPending();
    EXPECT_EQ(terminal.edit().textCursor().position(),
              terminal.edit().document()->characterCount() - 1);
}

TEST_F(TerminalWindow, ClearButtonAndMenuEmptyTheText)
{
    terminal.AppendText(u"abc");
    QTest::mouseClick(terminal.findChild<QPushButton*>(QString::number(terminal::kClearButton)),
                      Qt::LeftButton);
    EXPECT_EQ(Text(terminal), u"");
    terminal.AppendText(u"abc");
    Action(terminal::kClearAll)->trigger();
    EXPECT_EQ(Text(terminal), u"");
}

TEST_F(TerminalWindow, SaveWritesCodePage932WithoutTerminatorAndKeepsLongText)
{
    test::TempDir dir;
    terminal.AppendText(u"日本語 OK\r\n半角ｶﾅ\n");
    ASSERT_TRUE(terminal.SaveTextTo(dir / "t.txt").ok());
    EXPECT_EQ(ReadFile(dir / "t.txt"), "\x93\xFA\x96\x7B\x8C\xEA OK\r\n\x94\xBC\x8A\x70\xB6\xC5\n");

    // Characters code page 932 cannot hold do not end the file.
    terminal.ClearText();
    terminal.AppendText(u"a\u00E9b");
    ASSERT_TRUE(terminal.SaveTextTo(dir / "t.txt").ok());
    EXPECT_EQ(ReadFile(dir / "t.txt"), "a?b");

    // More than 16 MiB of bytes is kept whole.
    terminal.ClearText();
    const std::u16string line = std::u16string(39, u'字') + u"\r\n";
    std::u16string big;
    for (int i = 0; i < 17 * 1024 * 1024 / 80 + 10; ++i)
        big += line;
    terminal.AppendText(big);
    ASSERT_TRUE(terminal.SaveTextTo(dir / "big.txt").ok());
    EXPECT_EQ(std::filesystem::file_size(dir / "big.txt"), big.size() / 41 * 80);
}

// An installed program's executable sits in a folder no user may write to; the save dialog
// starts where the program's files live instead.
TEST_F(TerminalWindow, SaveDialogStartsInTheProgramsFilesFolder)
{
    test::TempDir dir;
    host.filesFolder = dir.path();
    std::filesystem::path shown;
    test::WhenModal<QFileDialog>([&shown](QFileDialog* dialog) {
        shown = dialog->directory().absolutePath().toStdU16String();
        dialog->reject();
    });
    Action(terminal::kSaveText)->trigger();
    EXPECT_EQ(shown, dir.path());
}

TEST_F(TerminalWindow, SaveToAMissingFolderFailsAndKeepsTheText)
{
    test::TempDir dir;
    terminal.AppendText(u"keep");
    EXPECT_FALSE(terminal.SaveTextTo(dir / "no-such-folder" / "t.txt").ok());
    EXPECT_EQ(Text(terminal), u"keep");
}

TEST_F(TerminalWindow, CommandsGoToTheMainWindow)
{
    Action(terminal::kConnect)->trigger();
    EXPECT_EQ(host.lastParent, &terminal);
    Action(terminal::kPortSettings)->trigger();
    Action(terminal::kDisconnect)->trigger();
    Action(terminal::kSendBreak)->trigger();
    Action(terminal::kTesterMode)->trigger();
    EXPECT_TRUE(Action(terminal::kTesterMode)->isChecked());
    Action(terminal::kUtf8Item)->trigger();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"connect", "settings", "disconnect", "break",
                                                    "tester", "encoding 1"}));
}

TEST_F(TerminalWindow, EncodingComboAndMenuShowTheSharedEncoding)
{
    terminal.show();
    QComboBox* combo = Combo(terminal::kEncodingCombo);
    QTest::mouseClick(combo, Qt::LeftButton);
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_EQ(host.calls.back(), "encoding 2");

    terminal.ShowEncoding(TextEncoding::Utf8);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_TRUE(Action(terminal::kUtf8Item)->isChecked());
    EXPECT_EQ(terminal.edit().m_encoding, TextEncoding::Utf8);

    terminal.ShowEncoding(static_cast<TextEncoding>(7));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_TRUE(Action(terminal::kSjisItem)->isChecked());
    EXPECT_FALSE(Action(terminal::kUtf8Item)->isChecked());
}

TEST_F(TerminalWindow, ClosingOnlyHidesAndKeepsTheText)
{
    terminal.show();
    terminal.AppendText(u"still here");
    QTest::mouseClick(terminal.findChild<QPushButton*>(QString::number(terminal::kCloseButton)),
                      Qt::LeftButton);
    EXPECT_FALSE(terminal.isVisible());
    terminal.show();
    terminal.close();
    EXPECT_FALSE(terminal.isVisible());
    EXPECT_EQ(Text(terminal), u"still here");
    EXPECT_GE(terminal.minimumWidth(), 600);
    EXPECT_GE(terminal.minimumHeight(), 240);
}

} // namespace
} // namespace wirevane
