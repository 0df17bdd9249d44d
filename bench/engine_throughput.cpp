// Receive throughput: while a row waits for CR, the device pushes 64 MiB without one and then
// the CR, as fast as the pseudo-terminal takes it. Every byte must reach the wait check and the
// display; the rate is set against a bare reader of the same kind of pseudo-terminal.

#include "bench/counting_terminal.h"
#include "bench/pty_device.h"
#include "e2e/qt_engine_rig.h"
#include "support/widgets/run_until.h"

#include <QCoreApplication>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace wirevane;
using namespace wirevane::bench;

namespace {

constexpr std::size_t kFlood = 64u << 20;

struct Pushed {
    int64_t startNs = 0;
    int64_t endNs = 0;
    bool ok = false;
};

bool ReadRow(PtyDevice& device)
{
    uint8_t byte = 0;
    while (device.ReadSome(&byte, 1, 20'000) == 1) {
        if (byte == '\r')
            return true;
    }
    return false;
}

// Waits for the row that starts the flood, pushes it, and times until the row that follows
// the awaited CR arrives.
Pushed Flood(PtyDevice& device)
{
    Pushed pushed;
    if (!ReadRow(device))
        return pushed;
    std::vector<uint8_t> chunk(64 * 1024);
    for (std::size_t i = 0; i < chunk.size(); ++i)
        chunk[i] = static_cast<uint8_t>('a' + i % 26);
    pushed.startNs = NowNs();
    for (std::size_t sent = 0; sent < kFlood; sent += chunk.size()) {
        if (!device.WriteAll(chunk.data(), chunk.size()))
            return pushed;
    }
    const uint8_t end = '\r';
    device.WriteAll(&end, 1);
    pushed.ok = ReadRow(device);
    pushed.endNs = NowNs();
    return pushed;
}

uint64_t BareReader(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return 0;
    uint64_t total = 0;
    if (write(fd, "GO\r", 3) == 3) {
        std::vector<uint8_t> buffer(64 * 1024);
        bool done = false;
        while (!done) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 20'000) <= 0)
                break;
            const ssize_t got = read(fd, buffer.data(), buffer.size());
            if (got <= 0)
                break;
            total += static_cast<uint64_t>(got);
            done = buffer[static_cast<std::size_t>(got) - 1] == '\r';
        }
        if (write(fd, "END\r", 4) != 4)
            total = 0;
    }
    close(fd);
    return total;
}

double Rate(const Pushed& pushed)
{
    return static_cast<double>(kFlood + 1) /
           (static_cast<double>(pushed.endNs - pushed.startNs) / 1e9) / 1e6;
}

Pushed Run(const std::function<void(const std::string&)>& receiver)
{
    PtyDevice device;
    Pushed pushed;
    std::thread deviceThread([&] { pushed = Flood(device); });
    receiver(device.portPath());
    deviceThread.join();
    return pushed;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    uint64_t bareBytes = 0;
    const Pushed bare = Run([&](const std::string& path) { bareBytes = BareReader(path); });

    uint64_t engineShown = 0;
    uint64_t engineRead = 0;
    bool waitEnded = false;
    const Pushed engine = Run([&](const std::string& path) {
        test::QtEngineRig<CountingTerminal> rig;
        rig.SetRow(0, u"GO", WaitKind::Cr, 0);
        rig.SetRow(1, u"END", WaitKind::None, 0);
        if (rig.Open(path) != 0)
            return;
        rig.engine.OnSend();
        test::RunEventsUntil([&] { return !rig.run.running; }, 120'000);
        waitEnded = !rig.run.running && rig.port.writes == 2;
        engineRead = rig.port.bytesRead;
        engineShown = rig.terminal.characters();
    });

    std::printf("receive throughput, %zu MiB pushed while a row waits for the final CR\n",
                kFlood >> 20);
    std::printf("bare reader      %8.1f MB/s  bytes read %llu\n", Rate(bare),
                static_cast<unsigned long long>(bareBytes));
    std::printf("engine           %8.1f MB/s  bytes read %llu, shown %llu, wait ended %s\n",
                Rate(engine), static_cast<unsigned long long>(engineRead),
                static_cast<unsigned long long>(engineShown), waitEnded ? "yes" : "no");
    std::printf("bytes sent       %llu; engine = %.2f x bare reader (goal >= 0.8)\n",
                static_cast<unsigned long long>(kFlood) + 1, Rate(engine) / Rate(bare));
    const bool complete =
        bare.ok && engine.ok && engineRead == kFlood + 1 && engineShown == kFlood + 1 && waitEnded;
    return complete ? 0 : 1;
}
