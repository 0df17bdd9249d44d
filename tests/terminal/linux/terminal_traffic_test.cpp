#include "core/receive_handler.h"
#include "core/run_state.h"
#include "fakes/manual_step_timer.h"
#include "fakes/recording_terminal_host.h"
#include "fakes/scripted_port.h"
#include "platform/serial_codes.h"
#include "support/file_text.h"
#include "support/modal_helper.h"
#include "support/small_tmpfs.h"
#include "support/temp_dir.h"
#include "terminal/dialog_terminal.h"
#include "terminal/hex_traffic_view.h"
#include "terminal/log_start_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <tuple>

namespace wirevane {
namespace {

using namespace std::chrono_literals;

std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

// The terminal with the receive handler as the main window wires them, over a port whose read
// boundaries the test sets, and a clock the test moves: which read a byte came with, and when,
// is what these tests are about.
class TerminalTraffic : public ::testing::Test {
protected:
    TerminalTraffic()
    {
        setenv("TZ", "UTC", 1);
        tzset();
        port.setOpen(true);
        terminal.ShowTrafficOf(tap);
        receiver.Allocate();
    }

    void Receive(std::string_view bytes)
    {
        port.queueRead(Bytes(bytes));
        receiver.OnSerialMessage(EV_RXCHAR);
    }
    void Type(const QString& keys) { QTest::keyClicks(&terminal.edit(), keys); }
    QAction* Action(const char* name) { return terminal.findChild<QAction*>(QLatin1String(name)); }
    std::u16string Shown()
    {
        terminal.edit().FlushPending();
        return terminal.edit().ShownText();
    }
    std::u16string Saved() { return terminal.edit().LineFormText(); }

    // 2025-12-07 23:59:01.123 UTC
    TrafficTime now = TrafficTime{} + 1765151941123ms;
    test::TempDir dir;
    test::ScriptedPort port;
    TrafficTap tap{&port, [this] { return now; }};
    test::RecordingTerminalHost host;
    CDialogTerminal terminal{host, &tap};
    ReceivedTextSink receivedText{terminal, tap};
    RunState run;
    test::ManualStepTimer timer;
    ReceiveHandler receiver{run, tap, receivedText, timer};
};

TEST_F(TerminalTraffic, ReceivedLinesAreStampedWithTheReadTimeOfTheirFirstByteInViewAndLog)
{
    const auto log = dir / "log.txt";
    Action("timestamps")->trigger();
    ASSERT_TRUE(terminal.timestamps());
    ASSERT_TRUE(terminal.StartLog({log, false, LogChoice::ShownText, LogChoice::Utf8}).ok());

    // The second line's first byte comes with the first read.
    Receive("one\r\ntw");
    now += 250ms;
    Receive("o\r\n");
    now += 1s;
    terminal.AppendText(u"[Report]\r\n");
    Type(QStringLiteral("typed"));
    Receive(" answer\r\nlast");
    // Painting later does not move the stamps.
    now += 10s;
    const std::u16string expected = u"23:59:01.123 one\r\n"
                                    u"23:59:01.123 two\r\n"
                                    u"[Report]\r\n"
                                    u"typed answer\r\n"
                                    u"23:59:02.373 last";
    EXPECT_EQ(Shown(), expected);
    // The record, which is saved and counted, keeps the bytes' text only.
    EXPECT_EQ(Saved(), u"one\r\ntwo\r\n[Report]\r\ntyped answer\r\nlast");

    terminal.StopLog();
    EXPECT_EQ(test::FileText(log), QString::fromStdU16String(expected).toStdString());

    // Off again: new lines come as they are.
    Action("timestamps")->trigger();
    Receive("\r\nplain");
    EXPECT_TRUE(Shown().ends_with(u"last\r\nplain"));
}

TEST_F(TerminalTraffic, ALogHasTheRecordAsShownInCodePage932OrTheRawChunksAndSaysLogWhileRunning)
{
    const auto log = dir / "log.txt";
    ASSERT_TRUE(terminal.StartLog({log, false, LogChoice::ShownText, LogChoice::Cp932}).ok());
    EXPECT_EQ(terminal.LogStatusText(),
              QStringLiteral("LOG ") + QString::fromStdString(log.string()));
    EXPECT_FALSE(Action("log-start")->isEnabled());
    EXPECT_TRUE(Action("log-stop")->isEnabled());

    Receive("\x82\xa0"
            "CR\r");
    Type(QStringLiteral("ab"));
    QTest::keyClick(&terminal.edit(), Qt::Key_Backspace);
    QTest::keyClick(&terminal.edit(), Qt::Key_Return);
    terminal.AppendText(u"<送信済>\r\n");
    Action("log-stop")->trigger();

    EXPECT_EQ(terminal.LogStatusText(), QString());
    EXPECT_TRUE(Action("log-start")->isEnabled());
    // The lone CR as received, the echo with the backspace that took a character back.
    EXPECT_EQ(test::FileText(log), "\x82\xa0"
                                   "CR\rab\b\r\n<\x91\x97\x90\x4d\x8d\xcf>\r\n");
    EXPECT_EQ(Saved(), u"あCR\ra\r\n<送信済>\r\n");
    // Typed keys reached the port through the same tap.
    EXPECT_EQ(port.written(), Bytes("ab\b\r\n"));

    // A raw log marks each chunk with its time and direction.
    const auto raw = dir / "raw.log";
    ASSERT_TRUE(terminal.StartLog({raw, true, LogChoice::RawBytes, LogChoice::Cp932}).ok());
    Type(QStringLiteral("A"));
    now += 5ms;
    Receive(std::string_view("\x00\xff", 2));
    terminal.AppendText(u"[Report]\n");
    terminal.StopLog();
    EXPECT_EQ(test::FileText(raw),
              "2025-12-07 23:59:01.123 TX 41\n2025-12-07 23:59:01.128 RX 00 FF\n");
}

// A log named without a folder is written where the program's files live, not in the folder the
// program was started from; the status bar's tip names the whole path.
TEST_F(TerminalTraffic, ALogNamedWithoutAFolderGoesToTheProgramsFilesFolder)
{
    host.filesFolder = dir.path();
    test::WhenModal<LogStartDialog>([](LogStartDialog* dialog) {
        auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("log-file"));
        file->clear();
        QTest::keyClicks(file, QStringLiteral("traffic.log"));
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    Action("log-start")->trigger();
    ASSERT_TRUE(terminal.IsLogging());
    EXPECT_EQ(terminal.findChild<QLabel*>(QStringLiteral("log-pane"))->toolTip(),
              QStringLiteral("LOG ") +
                  QString::fromStdU16String((dir / "traffic.log").u16string()));
    Receive("hello");
    terminal.StopLog();
    EXPECT_EQ(test::FileText(dir / "traffic.log"), "hello");
}

TEST_F(TerminalTraffic, AFullDiskStopsTheLogSaysSoAndTheTerminalGoesOn)
{
    const test::SmallTmpfs disk(dir / "disk", 64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.why();
    const auto log = dir / "disk" / "log.txt";
    ASSERT_TRUE(terminal.StartLog({log, false, LogChoice::ShownText, LogChoice::Cp932}).ok());
    const std::string line(100, 'x');
    for (int i = 0; i < 2000 && terminal.IsLogging(); ++i)
        Receive(line + "\r\n");
    terminal.FlushLog();
    ASSERT_FALSE(terminal.IsLogging());
    const QString reason = QString::fromStdString(std::strerror(ENOSPC));
    EXPECT_TRUE(terminal.LogStatusText().contains(QStringLiteral("ログ停止")));
    EXPECT_TRUE(terminal.LogStatusText().contains(reason));
    const std::u16string report =
        u"[Log to " + log.u16string() + u" stopped: " + reason.toStdU16String() + u".]\n";
    EXPECT_NE(Saved().find(report), std::u16string::npos);
    EXPECT_TRUE(Action("log-start")->isEnabled());

    Receive("still here");
    EXPECT_TRUE(Saved().ends_with(u"still here"));
}

TEST_F(TerminalTraffic, HexViewShowsTheSameTrafficSentInItsColourBesideOrInsteadOfTheText)
{
    Action("view-text-hex")->trigger();
    EXPECT_FALSE(terminal.hexView().isHidden());
    EXPECT_FALSE(terminal.edit().isHidden());
    Type(QStringLiteral("AT"));
    QTest::keyClick(&terminal.edit(), Qt::Key_Return);
    Receive("OK\r\n\x82\xa0 0123456789");
    terminal.hexView().FlushPending();

    // The line's form is the dump's own business; here, which traffic came in which line.
    const std::deque<HexLine>& lines = terminal.hexView().lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].text.ends_with(u"AT..")) << "the line end typed with Enter";
    EXPECT_EQ(lines[2].text.substr(0, 15), u"RX 00000010  39");
    EXPECT_EQ(lines[0].direction, TrafficDirection::Sent);

    // Sent lines are drawn in their colour, received ones not.
    terminal.resize(900, 400);
    terminal.show();
    const QImage picture = terminal.hexView().viewport()->grab().toImage();
    const int lineHeight = terminal.hexView().fontMetrics().lineSpacing();
    const auto bluish = [&](int line) {
        int count = 0;
        for (int y = 4 + line * lineHeight; y < 4 + (line + 1) * lineHeight; ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor pixel = picture.pixelColor(x, y);
                count += pixel.blue() > pixel.red() + 60 ? 1 : 0;
            }
        return count;
    };
    EXPECT_GT(bluish(0), 20);
    EXPECT_EQ(bluish(1) + bluish(2), 0);

    // Instead of the text: keys typed into the dump still go to the port.
    Action("view-hex")->trigger();
    EXPECT_TRUE(terminal.edit().isHidden());
    QTest::keyClicks(&terminal.hexView(), QStringLiteral("Z"));
    EXPECT_EQ(port.written(), Bytes("AT\r\nZ"));

    Action("view-text")->trigger();
    EXPECT_TRUE(terminal.hexView().isHidden());
    EXPECT_FALSE(terminal.edit().isHidden());
}

TEST(LogStartDialog, OffersOkOnlyForANamedFileAndGivesTheChoiceItShows)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "wv";
    LogStartDialog dialog({"/var/old.log", true, LogChoice::ShownText, LogChoice::Utf8}, false,
                          folder);
    auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("log-file"));
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    auto* encoding = dialog.findChild<QComboBox*>(QStringLiteral("log-encoding"));
    EXPECT_EQ(std::tuple(ok->isEnabled(), dialog.choice().file, encoding->currentText()),
              std::tuple(true, std::filesystem::path("/var/old.log"), QStringLiteral("UTF-8")));
    file->setText(QStringLiteral("  "));
    EXPECT_FALSE(ok->isEnabled());

    file->setText(QStringLiteral(" new.log "));
    dialog.findChild<QRadioButton*>(QStringLiteral("log-replace"))->click();
    dialog.findChild<QRadioButton*>(QStringLiteral("log-raw"))->click();
    dialog.findChild<QCheckBox*>(QStringLiteral("log-timestamps"))->click();
    // The raw log has its own form; the encoding is not asked.
    EXPECT_FALSE(encoding->isEnabled());
    const LogChoice choice = dialog.choice();
    EXPECT_EQ(std::tuple(choice.file, choice.append, choice.content, dialog.timestamps()),
              std::tuple(folder / "new.log", false, LogChoice::RawBytes, true));
}

} // namespace
} // namespace wirevane
