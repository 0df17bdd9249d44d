#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wirevane {

// The port name a device name stands for: the last component of a path ("/dev/ttyUSB0" is
// ttyUSB0), otherwise the first token between backslashes and full stops (a Windows path such
// as \\.\COM3, kept in settings files that came from there, is COM3).
std::u16string PortNameOf(std::u16string_view deviceName);

// Names of the stop-bit and parity values; "****" for a value outside the tables, as a query
// that failed (0xFFFFFFFF) gives.
std::u16string_view StopBitsName(uint32_t stopBits);
std::u16string_view ParityName(uint32_t parity);

inline constexpr std::u16string_view kNotConnectedText = u"未接続";

// "接続 %s: %dBPS-%dBIT-%s-%s" from the values read back from the open port.
std::u16string ConnectedStatusText(std::u16string_view deviceName, uint32_t baudRate,
                                   uint32_t dataBits, uint32_t stopBits, uint32_t parity);

} // namespace wirevane
