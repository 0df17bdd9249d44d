#pragma once

// The control ids of the row dialogs, as the native program numbers them; a control's object
// name is "c" followed by its id, which is how tests and the keyboard tour find them.
namespace wirevane::row_dialog_ids {

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// New data
inline constexpr int kNewHalt = 1029;
inline constexpr int kNewData = 1030;
inline constexpr int kNewDelay = 1031;
inline constexpr int kNewWaitRx = 1048;
// The expected answer, which the native program did not have.
inline constexpr int kNewExpect = 1050;

// Bulk change: a box that says whether to change each field, and the field.
inline constexpr int kChangeDataBox = 1040;
inline constexpr int kChangeWaitRxBox = 1041;
inline constexpr int kChangeHaltBox = 1042;
inline constexpr int kChangeDelayBox = 1043;
inline constexpr int kBulkData = 1044;
inline constexpr int kBulkWaitRx = 1045;
inline constexpr int kBulkHalt = 1046;
inline constexpr int kBulkDelay = 1047;
inline constexpr int kChangeExpectBox = 1051;
inline constexpr int kBulkExpect = 1052;

} // namespace wirevane::row_dialog_ids
