#include "terminal/terminal_text.h"

namespace wirevane {

std::u16string ApplyReceiveConversion(std::u16string_view text, int32_t conversion)
{
    char16_t expanded = 0;
    if (conversion == kReceiveCrToCrLf)
        expanded = u'\r';
    else if (conversion == kReceiveLfToCrLf)
        expanded = u'\n';
    else
        return std::u16string(text);

    std::u16string out;
    out.reserve(text.size() + text.size() / 8);
    for (char16_t ch : text) {
        if (ch == expanded)
            out += u"\r\n";
        else
            out += ch;
    }
    return out;
}

std::u16string PastedAsTyped(std::u16string_view pasted)
{
    std::u16string typed;
    typed.reserve(pasted.size());
    for (std::size_t i = 0; i < pasted.size(); ++i) {
        const char16_t ch = pasted[i];
        if (ch == u'\r' && i + 1 < pasted.size() && pasted[i + 1] == u'\n')
            ++i;
        typed += ch == u'\n' ? u'\r' : ch;
    }
    return typed;
}

} // namespace wirevane
