#include "core/check_report_text.h"

#include "core/decimal_text.h"

namespace wirevane {

namespace {

bool IsControl(uint8_t byte)
{
    return byte < 0x20 || byte == 0x7F;
}

std::u16string EscapeOf(uint8_t byte)
{
    switch (byte) {
    case '\r':
        return u"\\r";
    case '\n':
        return u"\\n";
    case '\t':
        return u"\\t";
    default: {
        static constexpr char16_t kHex[] = u"0123456789ABCDEF";
        return {u'\\', u'x', kHex[byte >> 4], kHex[byte & 0x0F]};
    }
    }
}

} // namespace

std::u16string EscapedAnswer(std::span<const uint8_t> received, TextEncoding encoding)
{
    std::u16string out;
    std::size_t runStart = 0;
    auto flush = [&](std::size_t end) {
        if (end > runStart)
            out += DecodeForDisplay(received.subspan(runStart, end - runStart), encoding);
    };
    // Trail bytes of a multibyte character are never below 0x40, so a control byte always stands
    // for itself.
    for (std::size_t i = 0; i < received.size(); ++i) {
        if (!IsControl(received[i]) && received[i] != '\\')
            continue;
        flush(i);
        out += received[i] == '\\' ? std::u16string(u"\\\\") : EscapeOf(received[i]);
        runStart = i + 1;
    }
    flush(received.size());
    return out;
}

std::u16string CheckFailedText(int row, std::u16string_view expected,
                               std::span<const uint8_t> received, TextEncoding encoding,
                               std::u16string_view reason)
{
    std::u16string shown = EscapedAnswer(received, encoding);
    if (shown.size() > kReceivedShownChars)
        shown = shown.substr(0, kReceivedShownChars) + u"…";
    std::u16string text = u"Row " + DecimalText(row) + u" check failed: expected \"" +
                          std::u16string(expected) + u"\"";
    if (!reason.empty())
        text += u" (" + std::u16string(reason) + u")";
    return text + u", received \"" + shown + u"\".";
}

std::u16string ChecksCountedText(int64_t passed, int64_t failed)
{
    return u"Checks: " + DecimalText(passed) + u" passed, " + DecimalText(failed) + u" failed.";
}

std::u16string ValueMissingText(int row, std::u16string_view reference)
{
    return u"Row " + DecimalText(row) + u" is not sent: " + std::u16string(reference) +
           u" has no value; no passing check of this run gave it.";
}

} // namespace wirevane
