#pragma once

#include "persistence/settings_interfaces.h"

#include <array>

namespace wirevane::test {

// Three windows with the rectangles and visibility a test sets.
class FixedWindowPlacements final : public WindowPlacements {
public:
    WindowRect NormalRect(PlacedWindow window) const override { return rects[index(window)]; }
    bool IsVisibleAndNotMinimised(PlacedWindow window) const override
    {
        return shown[index(window)];
    }

    static size_t index(PlacedWindow window) { return static_cast<size_t>(window); }

    std::array<WindowRect, 3> rects{};
    std::array<bool, 3> shown{true, true, true};
};

} // namespace wirevane::test
