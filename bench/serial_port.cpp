// The port chain on a kernel pseudo-terminal: how fast received bytes get through the event
// thread's notification and the window-side reads, how long one byte takes from the device to
// the posted notification, and how fast the port writes.
#include "fakes/recording_message_target.h"
#include "serial/serial_wnd.h"
#include "support/pty_pair.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace wirevane {
namespace {

// Counts the port's notifications, and waits for the next one with a deadline: a notification
// that never comes must end the case with an error rather than leave it waiting. (The recording
// target copied every message it ever had on each look, once per notification.)
class CountingTarget final : public platform::MessageTarget {
public:
    bool Post(uint32_t, uintptr_t, intptr_t) override
    {
        {
            std::lock_guard guard(m_lock);
            ++m_count;
        }
        m_posted.notify_all();
        return true;
    }
    // The count once it is past seen, or seen when nothing came within the deadline.
    std::size_t WaitPast(std::size_t seen)
    {
        std::unique_lock guard(m_lock);
        m_posted.wait_for(guard, std::chrono::seconds(10), [&] { return m_count > seen; });
        return m_count;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_posted;
    std::size_t m_count = 0;
};

// Reads as the receive handler does: 255-byte chunks after each notification, until a chunk
// comes back short.
std::size_t DrainAfterNotifications(CSerial& port, CountingTarget& target, std::size_t expected,
                                    std::size_t& seen)
{
    std::size_t got = 0;
    while (got < expected) {
        const std::size_t now = target.WaitPast(seen);
        if (now == seen)
            break; // a notification went missing
        seen = now;
        char chunk[255];
        uint32_t count = 0;
        do {
            port.Read(chunk, sizeof chunk, &count);
            got += count;
        } while (count == sizeof chunk);
    }
    return got;
}

void BM_ReceiveThroughput(benchmark::State& state)
{
    test::PtyPair pty;
    CountingTarget target;
    CSerialWnd port;
    if (port.Open(pty.slavePathU16(), &target) != 0) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    const std::string block(static_cast<std::size_t>(state.range(0)), 'x');
    std::size_t seen = 0;
    for (auto _ : state) {
        std::atomic<bool> written{false};
        std::thread device([&] {
            pty.WriteMaster(block);
            written = true;
        });
        const std::size_t got = DrainAfterNotifications(port, target, block.size(), seen);
        if (got != block.size()) {
            // The device still writes; take its bytes so that it can finish.
            char chunk[4096];
            while (!written)
                port.Read(chunk, sizeof chunk);
            device.join();
            state.SkipWithError("a notification was lost: bytes stayed unread");
            break;
        }
        device.join();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["notifications/block"] =
        benchmark::Counter(static_cast<double>(seen) / static_cast<double>(state.iterations()));
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
