// The terminal under a flood of CR LF-ended lines from a device on a pseudo-terminal, offscreen,
// with the traffic options on: (a) none, as a baseline; (b) time stamps; (c) time stamps and a
// log of the shown text in code page 932; (d) a raw log of the bytes; (e) the hex dump beside
// the text. Each case reports its rate, the window thread's longest stall (how long a
// posted event waited) and whether the log holds every byte that arrived.
#include "bench/flood_source.h"
#include "bench/stall_meter.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"
#include "support/widgets/run_until.h"
#include "terminal/hex_traffic_view.h"
#include "terminal/terminal_rig.h"
#include "terminal/traffic/line_stamper.h"
#include "terminal/traffic/traffic_log.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace {

using wirevane::CDialogTerminal;
using wirevane::LogChoice;
using wirevane::bench::NumberedLines;
using wirevane::bench::StallMeter;

constexpr std::size_t kMiB = 1024 * 1024;

struct Options {
    bool timestamps = false;
    std::optional<LogChoice::Content> log;
    bool hex = false;
};

void Flood(const char* name, const std::string& body, const Options& options)
{
    const std::string sent = body + "<end of flood>";
    wirevane::test::TempDir dir;
    wirevane::test::TerminalRig rig;
    wirevane::test::PtyPair device;
    CDialogTerminal& terminal = rig.terminal();
    if (!wirevane::bench::ConnectRig(rig, device, name))
        return;
    terminal.SetTimestamps(options.timestamps);
    if (options.hex)
        terminal.SetTrafficView(CDialogTerminal::TrafficView::TextAndHex);
    const std::filesystem::path log = dir / "flood.log";
    if (options.log && !terminal.StartLog({log, false, *options.log, LogChoice::Cp932}).ok()) {
        std::printf("%s: cannot write the log\n", name);
        return;
    }
    terminal.show();
    std::thread sender = wirevane::bench::SendFromDevice(device, sent);
    const std::u16string end = u"<end of flood>";
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    wirevane::test::RunUntil([&] { return terminal.edit().record().EndsWith(end); }, 1200000);
    terminal.edit().FlushPending();
    terminal.hexView().FlushPending();
    const double seconds = double(clock.elapsed()) / 1000.0;
    sender.join();
    terminal.StopLog();
    std::string check;
    if (options.log) {
        const auto size = std::filesystem::file_size(log);
        // The text log holds every byte plus a stamp per line; the raw log three characters
        // per byte plus a line per chunk.
        const bool complete =
            *options.log == LogChoice::ShownText ? size >= sent.size() : size >= 3 * sent.size();
        check = ", log " + std::to_string(size / kMiB) + " MiB" + (complete ? "" : " (SHORT)");
    }
    std::printf("%s: %.1f MB/s, longest stall %lld ms%s\n", name,
                double(sent.size()) / seconds / 1e6, static_cast<long long>(stalls.longest()),
                check.c_str());
    std::fflush(stdout);
    rig.port().Close();
}

// The traffic layer alone, without a window: what stamping and logging add per byte received,
// in receive-sized chunks, apart from the cost of showing the text.
void StampAndLogOnly(const std::string& body)
{
    wirevane::test::TempDir dir;
    wirevane::TrafficLog log;
    if (!log.Start({dir / "plain.log", false, LogChoice::ShownText, LogChoice::Cp932}).ok())
        return;
    wirevane::LineStamper stamper;
    const std::u16string text = QString::fromLatin1(body).toStdU16String();
    QElapsedTimer clock;
    clock.start();
    for (std::size_t at = 0; at < text.size(); at += 255) {
        const std::u16string_view chunk = std::u16string_view(text).substr(at, 255);
        const auto now = wirevane::LogFile::Clock::now();
        log.OnShown(stamper.Stamp(chunk, wirevane::LineStamp(std::chrono::system_clock::now())),
                    now);
    }
    log.Stop();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    std::printf("%zu MiB of lines, time stamps and text log without a window: %.1f MB/s\n",
                (body.size() + kMiB / 2) / kMiB, double(body.size()) / seconds / 1e6);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string lines = NumberedLines(64 * kMiB, "\r\n");
    StampAndLogOnly(lines);
    Flood("64 MiB of lines, no traffic option", lines, {});
    Flood("64 MiB of lines, time stamps", lines, {true, {}, false});
    Flood("64 MiB of lines, time stamps and text log", lines, {true, LogChoice::ShownText, false});
    Flood("64 MiB of lines, raw log", lines, {false, LogChoice::RawBytes, false});
    Flood("16 MiB of lines, hex dump beside the text", NumberedLines(16 * kMiB, "\r\n"),
          {false, {}, true});
    return 0;
}
