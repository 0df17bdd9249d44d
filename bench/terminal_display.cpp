// The terminal under a flood, offscreen. A device on a pseudo-terminal sends (a) 64 MiB of
// LF-ended lines, shown under "受信 変換無" (so every LF is a mark inside one endless line), and
// (b) 64 MiB without any line break; then (c) a click and "すべて削除" with 16 MiB in the record,
// and (d) 1 GiB of lines through the terminal with the memory it holds afterwards. Each case
// reports its rate, the window thread's longest stall (how long a posted event waited) and whether
// the view shows exactly the record's newest text, as much of it as the view holds.
#include "bench/flood_source.h"
#include "bench/stall_meter.h"
#include "support/pty_pair.h"
#include "support/widgets/run_until.h"
#include "terminal/terminal_rig.h"
#include "terminal/terminal_text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace {

using wirevane::bench::NumberedLines;
using wirevane::bench::StallMeter;

constexpr std::size_t kMiB = 1024 * 1024;

std::string Unbroken(std::size_t bytes)
{
    std::string all(bytes, 'x');
    for (std::size_t i = 0; i < bytes; i += 97)
        all[i] = char('0' + i % 10);
    return all;
}

// The record is the tail of what was sent, and the view shows the tail of the record: all of
// it up to the shown limit, less at most one line or display piece the view trimmed whole.
bool ShowsExactlyTheNewest(wirevane::CCommEdit& edit, const std::string& sent)
{
    edit.FlushPending();
    const std::u16string record = edit.LineFormText();
    const std::u16string tail =
        QString::fromLatin1(sent.substr(sent.size() - record.size())).toStdU16String();
    const std::u16string shown = edit.ShownText();
    const std::size_t least =
        std::min(record.size(), wirevane::RecordView::kDefaultShownLimit -
                                    wirevane::TerminalRecord::kDefaultPieceLength);
    return record == tail && record.ends_with(shown) && shown.size() >= least;
}

void Flood(const char* name, const std::string& body)
{
    // Lines and unbroken runs both repeat, so only a tail that occurs once tells that the
    // last byte has arrived; waiting on a repeating one ends early and leaves the sender
    // blocked on a pseudo-terminal nobody reads.
    const std::string sent = body + "<end of flood>";
    wirevane::test::TerminalRig rig;
    wirevane::test::PtyPair device;
    if (!wirevane::bench::ConnectRig(rig, device, name))
        return;
    wirevane::CCommEdit& edit = rig.terminal().edit();
    rig.terminal().show();
    std::thread sender = wirevane::bench::SendFromDevice(device, sent);
    const std::u16string end = u"<end of flood>";
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    wirevane::test::RunUntil([&] { return edit.record().EndsWith(end); }, 1200000);
    edit.FlushPending();
    const double seconds = double(clock.elapsed()) / 1000.0;
    const qint64 longestStall = stalls.longest();
    sender.join();
    const bool exact = ShowsExactlyTheNewest(edit, sent);
    std::printf("%s: %.1f MB/s, longest stall %lld ms%s\n", name,
                double(sent.size()) / seconds / 1e6, static_cast<long long>(longestStall),
                exact ? "" : " (LOST TEXT)");
    std::fflush(stdout);
    rig.port().Close();
}

double Milliseconds(const std::function<void()>& action)
{
    QElapsedTimer clock;
    clock.start();
    action();
    return double(clock.nsecsElapsed()) / 1e6;
}

void ClickAndClear()
{
    wirevane::test::TerminalRig rig;
    wirevane::CCommEdit& edit = rig.terminal().edit();
    rig.terminal().resize(900, 600);
    rig.terminal().show();
    // Exactly as many characters as the record holds, so it is full and nothing is trimmed.
    std::string lines = NumberedLines(wirevane::TerminalRecord::kDefaultLimit, "\n");
    lines.resize(wirevane::TerminalRecord::kDefaultLimit, '.');
    StallMeter stalls;
    for (std::size_t at = 0; at < lines.size(); at += 64 * 1024) {
        rig.terminal().AppendText(
            QString::fromLatin1(lines.substr(at, 64 * 1024)).toStdU16String());
        QApplication::processEvents();
    }
    edit.FlushPending();
    QApplication::processEvents();
    const std::size_t held = std::size_t(edit.LineFormLength());
    const double click = Milliseconds([&] {
        QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, QPoint(200, 100));
        edit.viewport()->repaint();
    });
    auto* clear = rig.terminal().findChild<QPushButton*>(QStringLiteral("1236"));
    const double cleared = Milliseconds([&] {
        QTest::mouseClick(clear, Qt::LeftButton);
        edit.viewport()->repaint();
    });
    QApplication::processEvents();
    const qint64 longestStall = stalls.longest();
    const char* fault = held != lines.size()         ? " (RECORD NOT FULL)"
                        : edit.LineFormLength() != 0 ? " (NOT CLEARED)"
                                                     : "";
    std::printf("click and clear with %.1f MiB in the record: click %.1f ms, clear %.1f ms, "
                "longest stall %lld ms%s\n",
                double(held) / double(kMiB), click, cleared, static_cast<long long>(longestStall),
                fault);
    std::fflush(stdout);
}

long PeakResidentMb()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long kb = 0;
    while (status >> key) {
        if (key == "VmHWM:") {
            status >> kb;
            break;
        }
    }
    return kb / 1024;
}

void OneGibibyte()
{
    wirevane::test::TerminalRig rig;
    rig.terminal().show();
    const std::string block = NumberedLines(kMiB, "\n");
    const std::u16string crlf = wirevane::ApplyReceiveConversion(
        QString::fromLatin1(block).toStdU16String(), wirevane::kReceiveLfToCrLf);
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    for (std::size_t mib = 0; mib < 1024; ++mib) {
        for (std::size_t at = 0; at < crlf.size(); at += 4096) {
            rig.terminal().AppendText(std::u16string_view(crlf).substr(at, 4096));
            QApplication::processEvents();
        }
    }
    rig.terminal().edit().FlushPending();
    const double seconds = double(clock.elapsed()) / 1000.0;
    std::printf("1 GiB of lines through the terminal: %.1f MB/s, longest stall %lld ms\n",
                double(1024 * crlf.size()) / seconds / 1e6,
                static_cast<long long>(stalls.longest()));
    std::printf("1 GiB of lines through the terminal: peak memory %ld MB, record %lld "
                "characters\n",
                PeakResidentMb(), static_cast<long long>(rig.terminal().edit().LineFormLength()));
    std::fflush(stdout);
}

} // namespace

// With no argument every case runs; naming cases ("gib", "lines", "unbroken", "click") runs
// only those, for profiling one of them.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList chosen = application.arguments().mid(1);
    const auto wanted = [&](const char* name) {
        return chosen.isEmpty() || chosen.contains(QLatin1String(name));
    };
    // The memory case runs first, so that the peak it reports is its own.
    if (wanted("gib"))
        OneGibibyte();
    if (wanted("lines"))
        Flood("64 MiB of LF-ended lines, no conversion", NumberedLines(64 * kMiB, "\n"));
    if (wanted("unbroken"))
        Flood("64 MiB without a line break", Unbroken(64 * kMiB));
    if (wanted("click"))
        ClickAndClear();
    return 0;
}
