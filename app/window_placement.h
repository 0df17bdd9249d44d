#pragma once

#include "persistence/settings_interfaces.h"

namespace wirevane {

struct WindowSize {
    int width = 0;
    int height = 0;
};

// Where the three windows go when no position is stored: the main window centred on the
// screen, the terminal 48 pixels right of and 24 above it, the button array 96 right of and 48
// above it, each with its own size.
struct DefaultPlacement {
    WindowRect main;
    WindowRect terminal;
    WindowRect buttonArray;
};

DefaultPlacement ComputeDefaultPlacement(const WindowRect& screen, WindowSize main,
                                         WindowSize terminal, WindowSize buttonArray);

// A stored rectangle is used as it is, even off the screen; an empty one gives the default.
inline WindowRect StoredOrDefault(const WindowRect& stored, const WindowRect& fallback)
{
    return stored.isEmpty() ? fallback : stored;
}

} // namespace wirevane
