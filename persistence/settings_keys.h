#pragma once

#include <string>
#include <string_view>

namespace wirevane::settings_keys {

inline constexpr std::u16string_view kSerial = u"SERIAL";
inline constexpr std::u16string_view kPort = u"PORT";
inline constexpr std::u16string_view kBaud = u"BAUD";
inline constexpr std::u16string_view kData = u"DATA";
inline constexpr std::u16string_view kStop = u"STOP";
inline constexpr std::u16string_view kParity = u"PARITY";
inline constexpr std::u16string_view kHandshake = u"HNDSHK";

// This program's own options, in a section the native program does not know and so ignores.
// A key is written only when its value differs from its default, so that a file whose new
// options are all off stays byte for byte what the native program writes.
inline constexpr std::u16string_view kWirevane = u"WIREVANE";
// The interface language the user fixed; absent or empty, the desktop's language.
inline constexpr std::u16string_view kLanguage = u"Language";
// The chart's limits per series, "series,low,high;..."; absent when no limit is set.
inline constexpr std::u16string_view kChartLimits = u"CHART_LIMITS";

inline constexpr std::u16string_view kConsole = u"CONSOLE";
inline constexpr std::u16string_view kCyclic = u"CYCLIC";
// The spelling of the native files, kept so that files move between the two programs.
inline constexpr std::u16string_view kLineEnd = u"TERNINATOR";
inline constexpr std::u16string_view kEncode = u"ENCODE";

inline constexpr std::u16string_view kSelect = u"SELECT";
inline constexpr std::u16string_view kRowData = u"DATA";
inline constexpr std::u16string_view kWaitRx = u"WAIT_RX";
inline constexpr std::u16string_view kHalt = u"HALT";
inline constexpr std::u16string_view kDelay = u"DELAY";
// The row's expected answer: ours, written only when the row has one, after the native keys.
inline constexpr std::u16string_view kExpect = u"EXPECT";
// Written as 0 only when a failed check lets the run go on; absent, it stops.
inline constexpr std::u16string_view kStopOnFail = u"STOP_ON_FAIL";

inline constexpr std::u16string_view kVisible = u"VISIBLE";
inline constexpr std::u16string_view kNormLeft = u"NORM_LEFT";
inline constexpr std::u16string_view kNormTop = u"NORM_TOP";
inline constexpr std::u16string_view kNormRight = u"NORM_RIGHT";
inline constexpr std::u16string_view kNormBottom = u"NORM_BOTTOM";

// "DATA_INDEX%d"
std::u16string rowSection(int row);

} // namespace wirevane::settings_keys
