// The window thread while the device holds the line back: a cyclic table runs on a pty whose
// output is suspended for 250 ms at a time (as XOFF suspends it) and let go for 50 ms, and a
// 1 ms timer on the window thread notes every gap between its ticks. The figure is the longest
// gap beyond the 1 ms asked for: how long the window could not answer.

#include "bench/counting_terminal.h"
#include "e2e/qt_engine_rig.h"
#include "support/pty_pair.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <termios.h>
#include <thread>

using namespace wirevane;
using namespace std::chrono_literals;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    test::PtyPair pty;
    test::QtEngineRig<bench::CountingTerminal> rig;
    for (int row = 0; row < 10; ++row)
        rig.SetRow(row, u"ROW " + std::u16string(1, static_cast<char16_t>(u'0' + row)),
                   WaitKind::None, 0);
    rig.run.cyclic = true;
    if (rig.Open(pty.slavePath()) != 0) {
        std::fprintf(stderr, "cannot open the pty\n");
        return 1;
    }

    constexpr int kHolds = 8;
    std::atomic<bool> done{false};
    std::thread device([&] {
        for (int hold = 0; hold < kHolds; ++hold) {
            tcflow(pty.slave(), TCOOFF);
            std::this_thread::sleep_for(250ms);
            tcflow(pty.slave(), TCOON);
            const auto until = std::chrono::steady_clock::now() + 50ms;
            while (std::chrono::steady_clock::now() < until)
                pty.ReadMasterAvailable();
        }
        done = true;
    });

    QElapsedTimer clock;
    clock.start();
    int64_t lastNs = clock.nsecsElapsed();
    int64_t longestGapNs = 0;
    int ticks = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const int64_t now = clock.nsecsElapsed();
        longestGapNs = std::max(longestGapNs, now - lastNs);
        lastNs = now;
        ++ticks;
        if (done)
            app.quit();
    });
    probe.start(1);
    rig.engine.OnSend();
    app.exec();
    rig.engine.OnStop();
    device.join();

    const double stallMs = std::max(0.0, static_cast<double>(longestGapNs) / 1e6 - 1.0);
    std::printf("held write: longest window-thread stall %.2f ms over %d holds of 250 ms "
                "(goal < 20 ms); %d probe ticks, %llu port writes\n",
                stallMs, kHolds, ticks, static_cast<unsigned long long>(rig.port.writes));
    return 0;
}
