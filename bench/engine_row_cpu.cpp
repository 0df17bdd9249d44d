// The engine's own work for an answered row, without a port, a loop or a scheduler around it:
// the answer's notification, the receive step, the send step and the next row handed over;
// the terminal only counts what it is given.
// What bench_engine_turnaround measures beyond this is the port chain, the event loop and the
// kernel's wake-ups.

#include "bench/counting_terminal.h"
#include "support/engine_rig.h"

#include <benchmark/benchmark.h>

using namespace wirevane;

namespace {

// Answers every row with the CR it waits for, and counts the rows handed to it.
struct AnsweringPort final : PortAccess {
    bool IsOpen() const override { return true; }
    uint32_t Write(std::span<const uint8_t> bytes) override
    {
        benchmark::DoNotOptimize(bytes.data());
        ++rows;
        answerDue = true;
        return 0;
    }
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& count) override
    {
        count = 0;
        if (answerDue && !buffer.empty()) {
            buffer[0] = '\r';
            count = 1;
        }
        answerDue = false;
        return 0;
    }
    uint32_t GetModemStatus(uint32_t& status) override
    {
        status = 0;
        return 0;
    }
    bool answerDue = false;
    uint64_t rows = 0;
};

// All 100 rows "ROW" with CR appended, waiting for CR, repeating; with argument 1 every row
// also checks its answer.
void BM_AnsweredRow(benchmark::State& state)
{
    test::EngineRig<AnsweringPort, bench::CountingTerminal> rig;
    const bool checked = state.range(0) != 0;
    for (int i = 0; i < SendTable::kRowCount; ++i)
        rig.SetRow(i, u"ROW", WaitKind::Cr, 0, checked ? u"\\r" : u"");
    rig.run.lineEnd = LineEndSuffix::Cr;
    rig.run.cyclic = true;
    rig.SendAndTick();
    const uint64_t before = rig.port.rows;
    for (auto _ : state) {
        rig.receiver.OnSerialMessage(EV_RXCHAR);
        if (rig.timer.IsArmed())
            rig.engine.OnStepTimer(kSequenceTimerId);
    }
    if (rig.port.rows - before != static_cast<uint64_t>(state.iterations()))
        state.SkipWithError("the engine did not send a row for every answer");
    state.counters["rows"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnsweredRow)->ArgName("checked")->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
