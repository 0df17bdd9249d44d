#pragma once

namespace wirevane::terminal {

// The terminal window's controls and commands by their ids; each widget and action carries its
// id as its object name, so the ids are what the tests speak.
inline constexpr int kCloseButton = 2;
inline constexpr int kToolBar = 146;

inline constexpr int kTextArea = 1235;
inline constexpr int kClearButton = 1236;
inline constexpr int kLocalEchoBox = 1237;
inline constexpr int kLineEndLabel = 1035;
inline constexpr int kReceiveConversionCombo = 1034;
inline constexpr int kSendLineEndCombo = 1032;
inline constexpr int kEncodingLabel = 1036;
inline constexpr int kEncodingCombo = 1033;

// The port commands and the encoding items have the ids of the main window's commands of the
// same name.
inline constexpr int kConnect = 32788;
inline constexpr int kPortSettings = 32790;
inline constexpr int kDisconnect = 32789;
inline constexpr int kSendBreak = 32791;
inline constexpr int kClearAll = 32807;
inline constexpr int kSaveText = 32799;
inline constexpr int kChangeFont = 32800;
inline constexpr int kTesterMode = 32855;
inline constexpr int kSjisItem = 32818;
inline constexpr int kUtf8Item = 32819;
inline constexpr int kEucItem = 32823;

} // namespace wirevane::terminal
