#include "core/text_encoding.h"
#include "platform/codepage.h"
#include "platform/utf_text.h"

#include <benchmark/benchmark.h>
#include <iconv.h>
#include <string>
#include <vector>

using namespace wirevane;

namespace {

// About 1 MiB of what a device log looks like: ASCII status lines mixed with Japanese messages.
std::u16string SampleText()
{
    const std::u16string lines[] = {
        u"OK 0123 V=12.345 I=0.678\r\n", u"温度センサー異常なし 測定値 23.5℃\r\n",
        u"ERR 42: タイムアウト発生 (再試行 3 回)\r\n", u"ｽﾃｰﾀｽ ｵｰﾙｸﾞﾘｰﾝ\r\n"};
    std::u16string text;
    for (int i = 0; text.size() < 600 * 1024; ++i)
        text += lines[i % 4];
    return text;
}

Bytes EncodedSample(TextEncoding encoding)
{
    const std::u16string text = SampleText();
    Bytes sjis = *platform::GetCodePage932().EncodeStrict(text);
    switch (encoding) {
    case TextEncoding::Utf8: {
        Bytes utf8;
        platform::AppendUtf8(text, utf8);
        return utf8;
    }
    case TextEncoding::Euc:
        return SjisToEuc(sjis);
    default:
        return sjis;
    }
}

const char* IconvName(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8  ? "UTF-8"
           : encoding == TextEncoding::Euc ? "EUC-JP"
                                           : "CP932";
}

void Ours(benchmark::State& state)
{
    const TextEncoding encoding = static_cast<TextEncoding>(state.range(0));
    const Bytes bytes = EncodedSample(encoding);
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeForDisplay(bytes, encoding));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.SetLabel(IconvName(encoding));
}

// The floor: one iconv call over the same bytes into UTF-16.
void BareIconv(benchmark::State& state)
{
    const TextEncoding encoding = static_cast<TextEncoding>(state.range(0));
    const Bytes bytes = EncodedSample(encoding);
    iconv_t cd = iconv_open("UTF-16LE", IconvName(encoding));
    std::u16string out(bytes.size(), u'\0');
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
        std::size_t inLeft = bytes.size();
        char* o = reinterpret_cast<char*>(out.data());
        std::size_t oLeft = out.size() * 2;
        iconv(cd, &in, &inLeft, &o, &oLeft);
        benchmark::DoNotOptimize(out.data());
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.SetLabel(IconvName(encoding));
}

} // namespace

BENCHMARK(Ours)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BareIconv)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
