#include "serial/connection_status.h"

#include "core/decimal_text.h"

#include <array>

namespace wirevane {

namespace {

constexpr std::array<std::u16string_view, 4> kStopBitsNames = {u"1STOP", u"1.5STOP", u"2STOP",
                                                               u"****"};
constexpr std::array<std::u16string_view, 6> kParityNames = {
    u"NOPARITY", u"ODDPARITY", u"EVENPARITY", u"MARKPARITY", u"SPACEPARITY", u"****"};

} // namespace

std::u16string PortNameOf(std::u16string_view deviceName)
{
    const std::size_t slash = deviceName.rfind(u'/');
    if (slash != std::u16string_view::npos)
        return std::u16string(deviceName.substr(slash + 1));
    const std::size_t start = deviceName.find_first_not_of(u"\\.");
    if (start == std::u16string_view::npos)
        return {};
    const std::size_t end = deviceName.find_first_of(u"\\.", start);
    return std::u16string(deviceName.substr(start, end - start));
}

std::u16string_view StopBitsName(uint32_t stopBits)
{
    return stopBits < kStopBitsNames.size() ? kStopBitsNames[stopBits] : kStopBitsNames.back();
}

std::u16string_view ParityName(uint32_t parity)
{
    return parity < kParityNames.size() ? kParityNames[parity] : kParityNames.back();
}

std::u16string ConnectedStatusText(std::u16string_view deviceName, uint32_t baudRate,
                                   uint32_t dataBits, uint32_t stopBits, uint32_t parity)
{
    // "%d" of the values as the port answered them, so a failed query shows as -1.
    std::u16string text = u"接続 ";
    text += PortNameOf(deviceName);
    text += u": ";
    text += DecimalText(static_cast<int32_t>(baudRate));
    text += u"BPS-";
    text += DecimalText(static_cast<int32_t>(dataBits));
    text += u"BIT-";
    text += StopBitsName(stopBits);
    text += u'-';
    text += ParityName(parity);
    return text;
}

} // namespace wirevane
