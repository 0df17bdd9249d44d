// What one look for a lost device costs the window thread, which takes four of them a second
// while it watches: a scan of the system's ttys for a USB adapter's identity, and the check of
// one path for a device known only by its path.
#include "platform/usb_identity.h"

#include <benchmark/benchmark.h>
#include <filesystem>

using namespace wirevane;

namespace {

void BM_LookForUsbAdapter(benchmark::State& state)
{
    const platform::UsbIdentity absent{"0403", "6001", "NOSUCHSERIAL"};
    std::size_t ttys = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/tty", error)) {
        (void)entry;
        ++ttys;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::DevicesWithIdentity(absent));
    state.counters["ttys"] = static_cast<double>(ttys);
}
BENCHMARK(BM_LookForUsbAdapter)->Unit(benchmark::kMicrosecond);

void BM_LookForPath(benchmark::State& state)
{
    for (auto _ : state) {
        std::error_code error;
        benchmark::DoNotOptimize(std::filesystem::exists("/dev/ttyUSB9", error));
    }
}
BENCHMARK(BM_LookForPath)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
