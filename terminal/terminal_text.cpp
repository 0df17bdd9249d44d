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

EditFormText ToEditForm(std::u16string_view lineForm, bool documentEndsInLoneCr)
{
    EditFormText result;
    std::size_t i = 0;
    if (documentEndsInLoneCr && !lineForm.empty() && lineForm.front() == u'\n') {
        result.joinsPreviousCr = true;
        i = 1;
    }
    result.text.reserve(lineForm.size());
    for (; i < lineForm.size(); ++i) {
        const char16_t ch = lineForm[i];
        if (ch == u'\r') {
            if (i + 1 < lineForm.size() && lineForm[i + 1] == u'\n') {
                result.text += u'\n';
                ++i;
            } else {
                result.text += kLoneCrStandIn;
            }
        } else if (ch == u'\n') {
            result.text += kLoneLfStandIn;
        } else {
            result.text += ch;
        }
    }
    return result;
}

std::u16string FromEditForm(std::u16string_view editForm)
{
    std::u16string out;
    out.reserve(editForm.size() + editForm.size() / 16);
    for (char16_t ch : editForm) {
        if (ch == u'\n' || ch == u'\u2029')
            out += u"\r\n";
        else if (ch == kLoneCrStandIn)
            out += u'\r';
        else if (ch == kLoneLfStandIn)
            out += u'\n';
        else
            out += ch;
    }
    return out;
}

} // namespace wirevane
