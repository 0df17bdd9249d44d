#include "core/text_encoding.h"

#include <cstdint>
#include <cstdlib>

using namespace wirevane;

// Arbitrary received bytes: the conversions stay within their size bounds, Shift_JIS made of
// whole JIS characters survives the trip through EUC, and display decoding of any run in any
// encoding completes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> in(data, size);
    const Bytes euc = SjisToEuc(in);
    if (euc.size() > 2 * size)
        std::abort();
    const Bytes back = EucToSjis(euc);
    if (back.size() > euc.size())
        std::abort();
    if (EucToSjis(in).size() > size)
        std::abort();
    Bytes whole;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const uint16_t sjis = JisToSjis(
            static_cast<uint16_t>(((data[i] % 94 + 0x21) << 8) | (data[i + 1] % 94 + 0x21)));
        whole.push_back(static_cast<uint8_t>(sjis >> 8));
        whole.push_back(static_cast<uint8_t>(sjis & 0xFF));
    }
    if (EucToSjis(SjisToEuc(whole)) != whole)
        std::abort();
    for (TextEncoding encoding : kTextEncodings)
        if (DecodeForDisplay(in, encoding).size() > size)
            std::abort();
    return 0;
}
