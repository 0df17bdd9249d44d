// The receive display under a flood: a device on a pseudo-terminal sends 64 MiB of 80-character
// lines (CR LF) as fast as the kernel takes them, while the window thread shows them in the
// terminal (offscreen). Reports the sustained rate shown, the window thread's longest stall
// (a 10 ms timer measuring its own lateness), whether every byte arrived, and how long a typed
// character takes to echo once the flood is over.
#include "support/pty_pair.h"
#include "terminal/terminal_rig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr qint64 kTotalBytes = 64LL * 1024 * 1024;

std::string Line(qint64 index)
{
    std::string line = std::to_string(index);
    line.resize(78, '.');
    return line + "\r\n";
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    wirevane::test::TerminalRig rig;
    wirevane::test::PtyPair device;
    rig.port().SetDeviceName(device.slavePathU16());
    if (!rig.connection().OpenSelected()) {
        std::fputs("cannot open the pseudo-terminal\n", stderr);
        return 1;
    }
    wirevane::CCommEdit& edit = rig.terminal().edit();
    rig.terminal().show();

    const qint64 lines = kTotalBytes / 80;
    std::thread sender([&] {
        std::string block;
        for (qint64 i = 0; i < lines; ++i) {
            block += Line(i);
            if (block.size() >= 64 * 1024 || i + 1 == lines) {
                device.WriteMaster(block);
                block.clear();
            }
        }
    });

    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    qint64 longestStall = 0;
    QTimer lateness;
    QObject::connect(&lateness, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestStall = std::max(longestStall, now - lastTick - 10);
        lastTick = now;
    });
    lateness.start(10);

    // Every line shows as 80 characters in line form (CR LF counts two).
    const qint64 expected = lines * 80;
    bool complete = wirevane::test::TerminalRig::RunUntil(
        [&] { return edit.LineFormLength() >= expected; }, 600000);
    const double seconds = double(clock.elapsed()) / 1000.0;
    sender.join();
    lateness.stop();

    edit.setFocus();
    edit.m_localEcho = true;
    const qint64 before = edit.LineFormLength();
    QElapsedTimer echo;
    echo.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&edit, &press);
    wirevane::test::TerminalRig::RunUntil(
        [&] {
            edit.FlushPending();
            return edit.LineFormLength() > before;
        },
        5000);
    const double echoMs = double(echo.nsecsElapsed()) / 1e6;

    std::printf("bytes sent %lld, characters shown %lld (%s)\n", lines * 80,
                static_cast<long long>(edit.LineFormLength() - 1), complete ? "all" : "LOST");
    std::printf("sustained display rate: %.1f MB/s over %.2f s\n",
                double(lines * 80) / seconds / 1e6, seconds);
    std::printf("longest window-thread stall: %lld ms\n", static_cast<long long>(longestStall));
    std::printf("typed character echoed after %.2f ms\n", echoMs);
    rig.port().Close();
    return complete ? 0 : 1;
}
