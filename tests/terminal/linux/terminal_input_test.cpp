#include "grid/menu_actions.h"
#include "serial/qt/qt_serial_port.h"
#include "serial/serial_port_access.h"
#include "support/modal_helper.h"
#include "support/pty_pair.h"
#include "support/widgets/run_until.h"
#include "terminal/paste_sender.h"
#include "terminal/terminal_fixture.h"
#include "terminal/terminal_ids.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <termios.h>

namespace wirevane {
namespace {

class TerminalInput : public test::TerminalFixture<> {
protected:
    TerminalInput()
    {
        EXPECT_EQ(port.Open(pty.slavePathU16()), 0u);
        terminal.show();
        Edit().setFocus();
    }

    void SetLocalEcho(bool on)
    {
        QCheckBox* box = Child<QCheckBox>(terminal::kLocalEchoBox);
        if (box->isChecked() != on)
            box->click();
    }
    void Commit(const QString& commit, const QString& preedit = {})
    {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QApplication::sendEvent(&Edit(), &event);
    }
    QString Preedit() { return Edit().document()->lastBlock().layout()->preeditAreaText(); }

    test::PtyPair pty;
};

// An input method commits whole words; they go out as typed characters in the chosen
// encoding, shown only with local echo. Its preedit is drawn at the end and never sent.
TEST_F(TerminalInput, InputMethodTextIsTypedAndItsPreeditOnlyShown)
{
    SetLocalEcho(false);
    Commit(QStringLiteral("日本"));
    EXPECT_EQ(pty.ReadMaster(4), "\x93\xFA\x96\x7B");
    EXPECT_EQ(Text(), u"");

    terminal.ShowEncoding(TextEncoding::Utf8);
    SetLocalEcho(true);
    Commit({}, QStringLiteral("にほ"));
    EXPECT_EQ(Preedit(), QStringLiteral("にほ"));
    EXPECT_EQ(pty.ReadMasterAvailable(), "");
    EXPECT_EQ(Text(), u"");

    Commit(QStringLiteral("日本"));
    EXPECT_EQ(pty.ReadMaster(6), "\xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_EQ(Text(), u"日本");
    EXPECT_EQ(Preedit(), QString());
}

// A character beyond 16 bits (𠮷, an emoji) is typed as a surrogate pair: it goes out as one
// character, and Backspace under local echo takes it back whole from the record and the view.
TEST_F(TerminalInput, ACharacterBeyondSixteenBitsGoesOutAndIsTakenBackWhole)
{
    terminal.ShowEncoding(TextEncoding::Utf8);
    SetLocalEcho(true);
    Commit(QStringLiteral("a\U00020BB7"));
    EXPECT_EQ(pty.ReadMaster(5), "a\xF0\xA0\xAE\xB7");
    EXPECT_EQ(Text(), u"a\U00020BB7");

    QTest::keyClick(&Edit(), Qt::Key_Backspace);
    EXPECT_EQ(pty.ReadMaster(1), "\b");
    EXPECT_EQ(Text(), u"a");
    EXPECT_EQ(Edit().ShownText(), u"a");

    terminal.ShowEncoding(TextEncoding::Sjis);
    Commit(QStringLiteral("\U0001F600b"));
    EXPECT_EQ(pty.ReadMaster(2), "?b");
    EXPECT_EQ(pty.ReadMasterAvailable(), "");
}

// Ctrl+V, Shift+Insert and the menu's Paste type the clipboard, each line break as the
// Enter key's bytes; the echo follows local echo.
TEST_F(TerminalInput, PasteTypesTheClipboardAndEchoesOnlyWithLocalEcho)
{
    Child<QComboBox>(terminal::kSendLineEndCombo)->setCurrentIndex(0);
    QApplication::clipboard()->setText(QStringLiteral("a\r\nb\nあ"));

    SetLocalEcho(false);
    QTest::keyClick(&Edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(pty.ReadMaster(6), "a\rb\r\x82\xA0");
    EXPECT_EQ(Text(), u"");

    SetLocalEcho(true);
    QTest::keyClick(&Edit(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(pty.ReadMaster(6), "a\rb\r\x82\xA0");
    EXPECT_EQ(Text(), u"a\r\nb\r\nあ");

    std::unique_ptr<QMenu> menu(Edit().CreateContextMenu());
    menu->findChild<QAction*>(QStringLiteral("edit-paste"))->trigger();
    EXPECT_EQ(pty.ReadMaster(6), "a\rb\r\x82\xA0");
    EXPECT_EQ(pty.ReadMasterAvailable(), "");
}

// Neither the menu nor the keys edit what was received: there is no Cut or Delete, and a
// key is sent rather than put over a selection.
TEST_F(TerminalInput, TheReceivedRecordCannotBeEdited)
{
    terminal.AppendText(u"received\r\n");
    Edit().FlushPending();
    Edit().selectAll();
    std::unique_ptr<QMenu> menu(Edit().CreateContextMenu());
    EXPECT_EQ(test::Texts(*menu, &QAction::objectName),
              QStringLiteral("edit-copy edit-paste select-all").split(u' '));

    SetLocalEcho(false);
    Edit().selectAll();
    // Ctrl+X as a keyboard delivers it: with its control character as the text.
    QTest::sendKeyEvent(QTest::Click, &Edit(), Qt::Key_X, QStringLiteral("\x18"),
                        Qt::ControlModifier);
    QTest::keyClicks(&Edit(), QStringLiteral("z"));
    EXPECT_EQ(Text(), u"received\r\n");
    EXPECT_EQ(Edit().ShownText(), u"received\r\n");
    EXPECT_EQ(pty.ReadMaster(2), "\x18z") << "Ctrl+X is a control character, not Cut";
}

class LongPaste : public TerminalInput {
protected:
    LongPaste()
    {
        SetLocalEcho(false);
        // A slice of the paste would end between the two halves of the emoji.
        text = QString(63, u'a') + QStringLiteral("\U0001F600\n");
        for (int i = 0; i < 100; ++i)
            text += QStringLiteral("line %1 ..................................\n").arg(i, 3);
    }
    // Answers the question, then lets the progress dialog show.
    void PasteAnswering(QMessageBox::StandardButton answer)
    {
        test::WhenModal<QMessageBox>([answer](QMessageBox* box) { box->button(answer)->click(); });
        Edit().Paste(text);
    }
    std::string ReadAll()
    {
        std::string got;
        test::RunUntil([&] {
            got += pty.ReadMasterAvailable();
            return Edit().pasteInProgress() == nullptr;
        });
        return got + pty.ReadMasterAvailable();
    }

    QString text;
};

// A long paste asks first, then sends everything with a progress dialog, each character
// whole; Stop and a disconnect cancel it.
TEST_F(LongPaste, AsksFirstThenSendsAllWithProgressUnlessStoppedOrDisconnected)
{
    PasteAnswering(QMessageBox::No);
    EXPECT_EQ(Edit().pasteInProgress(), nullptr);
    EXPECT_EQ(pty.ReadMasterAvailable(), "");

    PasteAnswering(QMessageBox::Yes);
    ASSERT_NE(Edit().pasteInProgress(), nullptr);
    EXPECT_TRUE(Edit().pasteInProgress()->dialog()->isVisible());
    EXPECT_EQ(ReadAll(), QString(text)
                             .replace(u'\n', QStringLiteral("\r\n"))
                             .replace(QStringLiteral("\U0001F600"), QStringLiteral("?"))
                             .toStdString());

    PasteAnswering(QMessageBox::Yes);
    ASSERT_NE(Edit().pasteInProgress(), nullptr);
    QProgressDialog* progress = Edit().pasteInProgress()->dialog();
    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_LT(ReadAll().size(), std::size_t(text.size()));

    PasteAnswering(QMessageBox::Yes);
    ASSERT_NE(Edit().pasteInProgress(), nullptr);
    port.Close();
    EXPECT_LT(ReadAll().size(), std::size_t(text.size()));
}

// The window's own port writes in the background. A paste into a line that flow control holds
// back waits for the line with its progress up, instead of piling up in the port all at once,
// and goes out whole once the line takes it.
TEST(HeldBackPaste, WaitsForTheLineWithOnlyALittleAheadOfIt)
{
    test::PtyPair pty;
    QtSerialPort port;
    ASSERT_EQ(port.Open(pty.slavePathU16(), static_cast<QObject*>(nullptr)), 0u);
    SerialPortAccess access(port);
    CCommEdit edit;
    edit.m_port = &access;
    QString text;
    for (int i = 0; i < 300; ++i)
        text += QStringLiteral("line %1 ..................\n").arg(i, 3);
    ASSERT_EQ(tcflow(pty.slave(), TCOOFF), 0);

    test::WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    edit.Paste(text);
    ASSERT_NE(edit.pasteInProgress(), nullptr);
    std::size_t mostWaiting = 0;
    test::RunUntil(
        [&] {
            mostWaiting = std::max(mostWaiting, access.BytesNotOut());
            return false;
        },
        300);
    EXPECT_GT(mostWaiting, 0u);
    // One slice of keys may go past the limit: up to two bytes each, for Enter.
    EXPECT_LE(mostWaiting, CCommEdit::kPasteAheadBytes + 128);
    ASSERT_NE(edit.pasteInProgress(), nullptr);
    const QProgressDialog* progress = edit.pasteInProgress()->dialog();
    EXPECT_TRUE(progress->isVisible());
    EXPECT_LT(progress->value(), progress->maximum() / 2);

    ASSERT_EQ(tcflow(pty.slave(), TCOON), 0);
    std::string got;
    test::RunUntil([&] {
        got += pty.ReadMasterAvailable();
        return edit.pasteInProgress() == nullptr && access.BytesNotOut() == 0;
    });
    got += pty.ReadMasterAvailable();
    EXPECT_EQ(got, QString(text).replace(u'\n', QStringLiteral("\r\n")).toStdString());
}

// A typed write that the held line times out is told once, however many keys behind it fail
// too, until a key goes out again; and a paste going out stops there.
TEST(HeldBackPaste, ATypedWriteTheLineTimesOutIsToldOnceAndStopsThePaste)
{
    using namespace std::chrono_literals;
    test::PtyPair pty;
    QtSerialPort port;
    ASSERT_EQ(port.Open(pty.slavePathU16(), static_cast<QObject*>(nullptr)), 0u);
    port.SetWriteGrace(50ms);
    SerialPortAccess access(port);
    CCommEdit edit;
    edit.m_port = &access;
    std::vector<uint32_t> told;
    edit.m_typedWriteFailed = [&told](uint32_t error) { told.push_back(error); };
    const auto allOut = [&access] {
        return test::RunUntil([&access] { return access.BytesNotOut() == 0; });
    };

    ASSERT_EQ(tcflow(pty.slave(), TCOOFF), 0);
    QTest::keyClicks(&edit, QStringLiteral("abc"));
    ASSERT_TRUE(allOut());
    QCoreApplication::processEvents();
    EXPECT_EQ(told, std::vector<uint32_t>{ERROR_TIMEOUT});

    ASSERT_EQ(tcflow(pty.slave(), TCOON), 0);
    QTest::keyClicks(&edit, QStringLiteral("d"));
    EXPECT_EQ(pty.ReadMaster(1), "d");
    ASSERT_TRUE(allOut());
    QCoreApplication::processEvents();
    ASSERT_EQ(tcflow(pty.slave(), TCOOFF), 0);
    test::WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    edit.Paste(QString(5000, u'x'));
    ASSERT_NE(edit.pasteInProgress(), nullptr);
    EXPECT_TRUE(test::RunUntil([&edit] { return edit.pasteInProgress() == nullptr; }));
    EXPECT_EQ(told, (std::vector<uint32_t>{ERROR_TIMEOUT, ERROR_TIMEOUT}));
    ASSERT_EQ(tcflow(pty.slave(), TCOON), 0);
}

} // namespace
} // namespace wirevane
