#pragma once

namespace wirevane::port_dialog {

// The controls of the port dialogs by their ids; each widget carries its id as its object name,
// so the ids are what the tests speak.
inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;

inline constexpr int kPortList = 1140;

// One editable field in place of the nine rate buttons 1001..1009: it takes the listed rates and
// any other the user types.
inline constexpr int kBaudRateField = 1000;

inline constexpr int kDataBits5 = 1011;
inline constexpr int kDataBits6 = 1012;
inline constexpr int kDataBits7 = 1013;
inline constexpr int kDataBits8 = 1014;

inline constexpr int kParityNone = 1021;
inline constexpr int kParityOdd = 1022;
inline constexpr int kParityEven = 1023;
inline constexpr int kParityMark = 1024;
inline constexpr int kParitySpace = 1025;

inline constexpr int kStopBits1 = 1031;
inline constexpr int kStopBits15 = 1032;
inline constexpr int kStopBits2 = 1033;

inline constexpr int kHandshakeOff = 1041;
inline constexpr int kHandshakeSoftware = 1042;
inline constexpr int kHandshakeHardware = 1043;

inline constexpr int kLatencyTimerText = 1050;

inline constexpr int kBreakEventBox = 1101;
inline constexpr int kCtsEventBox = 1102;
inline constexpr int kDsrEventBox = 1103;
inline constexpr int kErrorEventBox = 1104;
inline constexpr int kRingEventBox = 1105;
inline constexpr int kRlsdEventBox = 1106;
inline constexpr int kReceivedEventBox = 1107;
inline constexpr int kEventCharacterBox = 1108;
inline constexpr int kSentEventBox = 1109;
inline constexpr int kEventCharacterGroup = 1110;
inline constexpr int kEventCharacterLabel = 1111;
inline constexpr int kEventCharacterEdit = 1112;

} // namespace wirevane::port_dialog
