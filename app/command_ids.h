#pragma once

namespace wirevane::command {

// The main window's commands and controls by their ids; widgets and actions carry these ids as
// their object names, so the ids are what tests and the companion windows speak.
inline constexpr int kNew = 32784;
inline constexpr int kReload = 32793;
inline constexpr int kOpen = 57601;
inline constexpr int kSaveAs = 57603;
inline constexpr int kStoreWindowPositions = 32825;
inline constexpr int kExit = 32841;
inline constexpr int kTemporarySave = 32836;
inline constexpr int kTemporaryLoad = 32837;
inline constexpr int kSelectAll = 32827;
inline constexpr int kDeselectAll = 32785;
inline constexpr int kBulkChange = 32852;
inline constexpr int kFont = 32797;
inline constexpr int kSjisItem = 32818;
inline constexpr int kUtf8Item = 32819;
inline constexpr int kEucItem = 32823;

// The encoding items, in the order of the encodings they choose.
inline constexpr int kEncodingItems[] = {kSjisItem, kUtf8Item, kEucItem};

inline constexpr int kStepMode = 32833;
inline constexpr int kConnect = 32788;
inline constexpr int kPortSettings = 32790;
inline constexpr int kDisconnect = 32789;
inline constexpr int kSendBreak = 32791;
inline constexpr int kTerminal = 32777;
inline constexpr int kButtonArray = 32813;
inline constexpr int kSymbols = 32848;
inline constexpr int kDetailView = 32843;
inline constexpr int kAbout = 32781;
// The interface language, which the native program did not have.
inline constexpr int kLanguageDesktop = 33001;
inline constexpr int kLanguageJapanese = 33002;
inline constexpr int kLanguageEnglish = 33003;
// The program's own options, beyond the native command set.
inline constexpr int kAnswerTimeout = 33190;
inline constexpr int kAutoReconnect = 33191;
inline constexpr int kStopOnFail = 33192;
inline constexpr int kLowLatency = 33193;
inline constexpr int kRealtime = 33194;

inline constexpr int kSend = 1003;
inline constexpr int kStop = 1013;
inline constexpr int kReset = 1005;
inline constexpr int kTerminalButton = 1009;
inline constexpr int kOpenButton = 1010;
inline constexpr int kSettingsButton = 1011;
inline constexpr int kCloseButton = 1012;
inline constexpr int kExitButton = 2;

inline constexpr int kSendTable = 1001;
inline constexpr int kCyclicBox = 1007;
inline constexpr int kStepBox = 1034;
inline constexpr int kLineEndCombo = 1008;
inline constexpr int kEncodingCombo = 1033;
inline constexpr int kLineEndLabel = 1037;
inline constexpr int kEncodingLabel = 1038;

} // namespace wirevane::command
