#pragma once

namespace wirevane::exit_dialog {

// The exit question's buttons by their ids, carried as their object names.
inline constexpr int kSaveAndExitButton = 6;
inline constexpr int kExitWithoutSavingButton = 7;
inline constexpr int kCancelButton = 2;

} // namespace wirevane::exit_dialog
