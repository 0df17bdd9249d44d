#include "core/text_encoding.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace wirevane;

// Arbitrary row texts: escape expansion never grows its input, and a row never sends more than
// its code page 932 form (or, in UTF-8 mode, its UTF-8 form) holds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Bytes expanded = ExpandEscapes(std::span(data, size));
    if (expanded.size() > size)
        std::abort();
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i + 1 < size; i += 2)
        text[i / 2] = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    for (TextEncoding encoding : {TextEncoding::Sjis, TextEncoding::Utf8, TextEncoding::Euc,
                                  static_cast<TextEncoding>(5)}) {
        const Bytes bytes = RowTextToBytes(text, encoding);
        if (encoding != TextEncoding::Utf8 && encoding != TextEncoding::Euc &&
            bytes.size() > text.size() * 2)
            std::abort();
        if (encoding == TextEncoding::Euc && bytes.size() > text.size() * 4)
            std::abort();
    }
    return 0;
}
