#pragma once

#include <array>

namespace wirevane::button_array {

// The button array's controls and commands, and those of its three small dialogs, by their ids;
// each widget and action carries its id as its object name, so the ids are what the tests speak.
// The dialogs reuse numbers of the window (1033, 1034, 1051), so a name says which control is
// meant where the number alone would not.
inline constexpr int kCloseButton = 2;
inline constexpr int kToolBar = 164;
inline constexpr int kSettings = 32853;

inline constexpr int kGroupCombo = 1051;
inline constexpr int kLoadOnlyButton = 1022;
inline constexpr int kLoadAndSendButton = 1023;
inline constexpr int kStopButton = 1024;

// The buttons of a group's twelve slots, and beside each the button that edits its slot, by the
// slot's index in the group.
inline constexpr std::array<int, 12> kSlotButtons = {1014, 1015, 1016, 1017, 1018, 1019,
                                                     1020, 1021, 1025, 1034, 1035, 1036};
inline constexpr std::array<int, 12> kSideButtons = {1026, 1027, 1028, 1029, 1030, 1031,
                                                     1032, 1033, 1037, 1038, 1039, 1040};

// The OK and cancel row of the three dialogs.
inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;

// The settings dialog.
inline constexpr int kRegisterBox = 1050;
inline constexpr int kUnregisterBox = 1051;
inline constexpr int kRenameBox = 1054;
inline constexpr int kGroupTitleLabel = 1053;
inline constexpr int kGroupTitleEdit = 1052;

// The registration method dialog.
inline constexpr int kExistingFileButton = 1033;
inline constexpr int kSaveCurrentTableButton = 1034;

// The button name dialog.
inline constexpr int kButtonNameEdit = 1052;

} // namespace wirevane::button_array
