#include "core/send_failure_text.h"

#include "core/text_encoding.h"
#include "platform/serial_codes.h"

#include <cstdio>

namespace wirevane {

namespace {

std::u16string Ascii(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::u16string Number(uint32_t value)
{
    return Ascii(std::to_string(value));
}

std::u16string CodePointText(char32_t character)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
    std::u16string shown;
    if (character >= 0x10000) {
        shown += static_cast<char16_t>(0xD800 + ((character - 0x10000) >> 10));
        shown += static_cast<char16_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
    } else {
        shown += static_cast<char16_t>(character);
    }
    return u"\"" + shown + u"\" (" + Ascii(code) + u")";
}

} // namespace

std::u16string WriteFailureText(std::u16string_view portName, uint32_t error)
{
    const std::u16string head = u"Write to " + std::u16string(portName);
    switch (error) {
    case ERROR_TIMEOUT:
        return head + u" timed out: the device holds the line (flow control).";
    case ERROR_OPERATION_ABORTED:
        return head + u" was cancelled: the port was closed.";
    case ERROR_INVALID_HANDLE:
        return head + u" failed: the port is not open.";
    case ERROR_IO_DEVICE:
        return head + u" failed: the device is gone.";
    default:
        return head + u" failed (error " + Number(error) + u").";
    }
}

std::u16string UnencodableRowText(int row, char32_t character, TextEncoding encoding)
{
    const std::u16string_view name = encoding == TextEncoding::Euc ? u"EUC-JP" : u"Shift_JIS";
    return u"Row " + Number(static_cast<uint32_t>(row)) + u" is not sent: " +
           CodePointText(character) + u" has no " + std::u16string(name) + u" form.";
}

} // namespace wirevane
