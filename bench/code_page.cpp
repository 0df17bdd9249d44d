// Code page 932 both ways over texts of the sizes the terminal's record and its log reach: Japanese
// text that has a form throughout, and a device's noise (every byte value in turn), which decodes
// to many U+FFFD and other characters without a form and so takes the encoder's replacing path.
// The save of the terminal's text and the log in code page 932 encode exactly such text.
#include "platform/codepage.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using wirevane::platform::GetCodePage932;

std::vector<uint8_t> Noise(std::size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i);
    return bytes;
}

std::u16string Japanese(std::size_t units)
{
    const std::u16string line = u"測定値 12.34 V、電流 0.56 A。\r\n";
    std::u16string text;
    while (text.size() < units)
        text += line;
    text.resize(units);
    return text;
}

void BM_EncodeJapanese(benchmark::State& state)
{
    const std::u16string text = Japanese(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(GetCodePage932().EncodeReplacing(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_EncodeNoise(benchmark::State& state)
{
    const std::u16string text =
        GetCodePage932().Decode(Noise(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(GetCodePage932().EncodeReplacing(text));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_DecodeNoise(benchmark::State& state)
{
    const std::vector<uint8_t> bytes = Noise(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(GetCodePage932().Decode(bytes));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_EncodeJapanese)
    ->Arg(64 << 10)
    ->Arg(256 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeNoise)
    ->Arg(64 << 10)
    ->Arg(256 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeNoise)
    ->Arg(64 << 10)
    ->Arg(256 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
