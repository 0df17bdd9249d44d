#pragma once

namespace wirevane {

// A frame of a 60 Hz screen. What a window gathers for that long (received text, the rows a run
// goes through) reaches the screen no later than it could be seen, in one change instead of many.
inline constexpr int kScreenFrameMs = 16;

} // namespace wirevane
