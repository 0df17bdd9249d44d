#include "tools/wirevane-run/control_pictures.h"

namespace wirevane::runner {

void AppendWithControlPictures(std::u16string_view text, std::u16string& out)
{
    constexpr char16_t kPictures = u'\u2400';
    constexpr char16_t kDelete = 0x7F;
    for (const char16_t unit : text) {
        if (unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\r')
            out += static_cast<char16_t>(kPictures + unit);
        else if (unit == kDelete)
            out += u'\u2421';
        else if (unit >= 0x80 && unit <= 0x9F)
            out += u'\uFFFD';
        else
            out += unit;
    }
}

} // namespace wirevane::runner
