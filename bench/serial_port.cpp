// The port chain on a kernel pseudo-terminal: how fast received bytes get through the event
// thread's notification and the window-side reads, how long one byte takes from the device to
// the posted notification, and how fast the port writes.
#include "fakes/recording_message_target.h"
#include "serial/serial_wnd.h"
#include "support/pty_pair.h"

#include <benchmark/benchmark.h>
#include <thread>

namespace wirevane {
namespace {

// Reads as the receive handler does: 255-byte chunks after each notification, until a chunk
// comes back short.
std::size_t DrainAfterNotifications(CSerial& port, test::RecordingMessageTarget& target,
                                    std::size_t expected, std::size_t& notifications)
{
    std::size_t got = 0;
    std::size_t seen = target.Messages().size();
    const std::size_t first = seen;
    while (got < expected && target.WaitFor(seen + 1)) {
        seen = target.Messages().size();
        char chunk[255];
        uint32_t count = 0;
        do {
            port.Read(chunk, sizeof chunk, &count);
            got += count;
        } while (count == sizeof chunk);
    }
    notifications += seen - first;
    return got;
}

void BM_ReceiveThroughput(benchmark::State& state)
{
    test::PtyPair pty;
    test::RecordingMessageTarget target;
    CSerialWnd port;
    if (port.Open(pty.slavePathU16(), &target) != 0) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    const std::string block(static_cast<std::size_t>(state.range(0)), 'x');
    std::size_t notifications = 0;
    for (auto _ : state) {
        std::thread device([&] { pty.WriteMaster(block); });
        const std::size_t got = DrainAfterNotifications(port, target, block.size(), notifications);
        device.join();
        if (got != block.size())
            state.SkipWithError("bytes lost");
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["notifications/block"] = benchmark::Counter(
        static_cast<double>(notifications) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_ReceiveThroughput)->Arg(64 * 1024)->Arg(1024 * 1024)->UseRealTime();

void BM_NotificationLatency(benchmark::State& state)
{
    test::PtyPair pty;
    test::RecordingMessageTarget target;
    CSerialWnd port;
    if (port.Open(pty.slavePathU16(), &target) != 0) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    std::size_t posted = 0;
    for (auto _ : state) {
        pty.WriteMaster("!");
        if (!target.WaitFor(++posted)) {
            state.SkipWithError("no notification");
            break;
        }
        char byte = 0;
        port.Read(&byte, 1);
    }
}
BENCHMARK(BM_NotificationLatency)->UseRealTime();

void BM_WriteThroughput(benchmark::State& state)
{
    test::PtyPair pty;
    CSerialWnd port;
    test::RecordingMessageTarget target;
    if (port.Open(pty.slavePathU16(), &target) != 0) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    const std::string chunk(static_cast<std::size_t>(state.range(0)), 'y');
    const std::size_t perIteration = 256 * 1024;
    for (auto _ : state) {
        std::thread device([&] { pty.ReadMaster(perIteration); });
        for (std::size_t sent = 0; sent < perIteration; sent += chunk.size())
            port.Write(chunk.data(), static_cast<uint32_t>(chunk.size()));
        device.join();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(perIteration));
}
BENCHMARK(BM_WriteThroughput)->Arg(16)->Arg(256)->Arg(4096)->UseRealTime();

} // namespace
} // namespace wirevane

BENCHMARK_MAIN();
