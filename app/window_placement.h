#pragma once

#include "persistence/settings_interfaces.h"

#include <cstdint>
#include <span>

namespace wirevane {

struct WindowSize {
    int width = 0;
    int height = 0;
};

// What the window system adds around a window's client area (title bar, borders). Placement
// works on the outer rectangles so that windows placed side by side do not overlap on screen.
struct FrameMargins {
    int left = 4;
    int top = 28;
    int right = 4;
    int bottom = 4;
};

// Where the three windows go when no position is stored (client rectangles). When the screen's
// available area holds the main window, the terminal and the button array without overlap,
// they are laid out so: the three side by side (the terminal narrowed to fit if need be, not
// below kMinTerminalSize), or else the terminal below the main window and the array beside
// them, the group centred on the screen. Otherwise the main window is centred on the screen,
// the terminal 48 pixels right of and 24 above it, the button array 96 right of and 48 above it,
// each with its own size.
struct DefaultPlacement {
    WindowRect main;
    WindowRect terminal;
    WindowRect buttonArray;
};

inline constexpr WindowSize kMinTerminalSize{600, 240};
inline constexpr int kWindowGap = 8;

DefaultPlacement ComputeDefaultPlacement(const WindowRect& screen, WindowSize main,
                                         WindowSize terminal, WindowSize buttonArray,
                                         const FrameMargins& frame = {});

// The Part of the layout that the user does not see: the centred main window with the two side
// windows stacked on it at fixed offsets.
DefaultPlacement ComputeOffsetPlacement(const WindowRect& screen, WindowSize main,
                                        WindowSize terminal, WindowSize buttonArray);

// Stored rectangles come from a file anyone can edit: larger than any window can be.
inline constexpr int64_t kMaxWindowExtent = 100000;

// A stored rectangle is used as it is, even partly off the screens, when it is a real window
// size and lies at least partly on one of the screens; an empty one, an absurd one, or one on no
// screen at all (a monitor that is gone) gives the fallback. Arithmetic is 64-bit: stored
// coordinates span the whole 32-bit range.
WindowRect StoredOrDefault(const WindowRect& stored, const WindowRect& fallback,
                           std::span<const WindowRect> screens);

} // namespace wirevane
