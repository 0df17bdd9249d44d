// One answer check on the window thread with the costliest patterns a table can hold, each
// against a full answer (the 4 KiB a check keeps) that nearly matches it, so the search cannot
// end early. The longest of these is the longest a check can hold the window.
#include "core/expectation.h"

#include <benchmark/benchmark.h>
#include <string>

using namespace wirevane;

namespace {

// Everything but the last byte suits the pattern.
Bytes NearMiss(char filler)
{
    Bytes answer(Expectation::kAnswerKeptBytes - 1, static_cast<uint8_t>(filler));
    answer.push_back('#');
    return answer;
}

std::u16string Repeated(std::u16string_view piece, int count)
{
    std::u16string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// Alternatives that share a long prefix and differ only in their last character.
std::u16string ManyAlternatives()
{
    std::u16string text = u"re:(?:";
    for (int i = 0; i < 600; ++i) {
        if (i != 0)
            text += u'|';
        text += u"aaaaaaaa" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10));
    }
    return text + u")";
}

// A class of thousands of single characters, none of them the answer's.
std::u16string WideClass()
{
    std::u16string text = u"re:[";
    for (char16_t c = 0x4E00; c < 0x4E00 + 3000; ++c)
        text += c;
    return text + u"a]{1000}!";
}

void Check(benchmark::State& state, const std::u16string& pattern, char filler)
{
    const Expectation expectation(pattern, TextEncoding::Sjis);
    if (!expectation.error().empty()) {
        state.SkipWithError("the pattern is refused");
        return;
    }
    const Bytes answer = NearMiss(filler);
    for (auto _ : state)
        benchmark::DoNotOptimize(expectation.Check(answer));
}

// A plain expected text compared at every place of the answer.
void PlainTextHalfTheAnswer(benchmark::State& state)
{
    Check(state, Repeated(u"a", 2048) + u"b", 'a');
}

void Typical(benchmark::State& state)
{
    Check(state, u"re:^[+-]\\d+\\.\\d+E[+-]\\d\\d\\r$", '1');
}

// A group's bytes are wanted: the answer is read a character at a time.
void TypicalWithAGroup(benchmark::State& state)
{
    Check(state, u"re:^SN=(\\w+)\\r$", '1');
}

void NestedRepeats(benchmark::State& state)
{
    Check(state, u"re:((a*)*(a+)*)*b", 'a');
}

void OptionalsThenCount(benchmark::State& state)
{
    Check(state, u"re:(?:a?){1000}a{1000}b", 'a');
}

void CountedRepeat(benchmark::State& state)
{
    Check(state, u"re:[a-z]{1000}!", 'a');
}

void NestedCounts(benchmark::State& state)
{
    Check(state, u"re:(?:(?:a|aa){30}){120}b", 'a');
}

void Alternatives(benchmark::State& state)
{
    Check(state, ManyAlternatives(), 'a');
}

// Every group's bounds travel with every live thread: as many groups as a pattern may have.
void ManyGroups(benchmark::State& state)
{
    Check(state, u"re:" + Repeated(u"(a?)", Pattern::kMaxGroups) + u"a{900}b", 'a');
}

void ClassOfThousands(benchmark::State& state)
{
    Check(state, WideClass(), 'a');
}

// The largest program with the most groups: each thread's bounds are wide, and there may be
// many threads.
void LargestProgram(benchmark::State& state)
{
    Check(state,
          u"re:" + Repeated(u"(a?)", Pattern::kMaxGroups) + Repeated(u"(?:a{1000})", 19) + u"b",
          'a');
}

} // namespace

BENCHMARK(Typical)->Unit(benchmark::kMicrosecond);
BENCHMARK(TypicalWithAGroup)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainTextHalfTheAnswer)->Unit(benchmark::kMillisecond);
BENCHMARK(NestedRepeats)->Unit(benchmark::kMillisecond);
BENCHMARK(OptionalsThenCount)->Unit(benchmark::kMillisecond);
BENCHMARK(CountedRepeat)->Unit(benchmark::kMillisecond);
BENCHMARK(NestedCounts)->Unit(benchmark::kMillisecond);
BENCHMARK(Alternatives)->Unit(benchmark::kMillisecond);
BENCHMARK(ManyGroups)->Unit(benchmark::kMillisecond);
BENCHMARK(ClassOfThousands)->Unit(benchmark::kMillisecond);
BENCHMARK(LargestProgram)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
