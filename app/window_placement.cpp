#include "app/window_placement.h"

#include <algorithm>
#include <optional>

namespace wirevane {

namespace {

WindowRect RectAt(int left, int top, WindowSize size)
{
    return WindowRect{left, top, left + size.width, top + size.height};
}

int OuterWidth(WindowSize size, const FrameMargins& frame)
{
    return size.width + frame.left + frame.right;
}

int OuterHeight(WindowSize size, const FrameMargins& frame)
{
    return size.height + frame.top + frame.bottom;
}

// A client rectangle whose outer (framed) rectangle starts at (outerLeft, outerTop).
WindowRect ClientAt(int outerLeft, int outerTop, WindowSize size, const FrameMargins& frame)
{
    return RectAt(outerLeft + frame.left, outerTop + frame.top, size);
}

struct Room {
    int width;
    int height;
};

// The three side by side: main, terminal, button array, tops aligned.
std::optional<DefaultPlacement> SideBySide(const WindowRect& screen, Room room, WindowSize main,
                                           WindowSize terminal, WindowSize buttons,
                                           const FrameMargins& frame)
{
    const int fixed = OuterWidth(main, frame) + OuterWidth(buttons, frame) + 2 * kWindowGap;
    const int terminalOuter = std::min(OuterWidth(terminal, frame), room.width - fixed);
    terminal.width = terminalOuter - frame.left - frame.right;
    const int tallest = std::max(
        {OuterHeight(main, frame), OuterHeight(terminal, frame), OuterHeight(buttons, frame)});
    if (terminal.width < kMinTerminalSize.width || tallest > room.height)
        return std::nullopt;
    int x = screen.left + (room.width - fixed - terminalOuter) / 2;
    const int y = screen.top + (room.height - tallest) / 2;
    DefaultPlacement placed;
    placed.main = ClientAt(x, y, main, frame);
    x += OuterWidth(main, frame) + kWindowGap;
    placed.terminal = ClientAt(x, y, terminal, frame);
    x += terminalOuter + kWindowGap;
    placed.buttonArray = ClientAt(x, y, buttons, frame);
    return placed;
}

// The terminal below the main window, the button array beside the two.
std::optional<DefaultPlacement> TerminalBelow(const WindowRect& screen, Room room, WindowSize main,
                                              WindowSize terminal, WindowSize buttons,
                                              const FrameMargins& frame)
{
    const int column = std::max(OuterWidth(main, frame), OuterWidth(terminal, frame));
    const int width = column + kWindowGap + OuterWidth(buttons, frame);
    const int mainOuter = OuterHeight(main, frame);
    const int terminalOuter =
        std::min(OuterHeight(terminal, frame), room.height - mainOuter - kWindowGap);
    terminal.height = terminalOuter - frame.top - frame.bottom;
    if (terminal.height < kMinTerminalSize.height || width > room.width ||
        OuterHeight(buttons, frame) > room.height)
        return std::nullopt;
    const int height =
        std::max(mainOuter + kWindowGap + terminalOuter, OuterHeight(buttons, frame));
    const int x = screen.left + (room.width - width) / 2;
    const int y = screen.top + (room.height - height) / 2;
    DefaultPlacement placed;
    placed.main = ClientAt(x, y, main, frame);
    placed.terminal = ClientAt(x, y + mainOuter + kWindowGap, terminal, frame);
    placed.buttonArray = ClientAt(x + column + kWindowGap, y, buttons, frame);
    return placed;
}

} // namespace

DefaultPlacement ComputeOffsetPlacement(const WindowRect& screen, WindowSize main,
                                        WindowSize terminal, WindowSize buttonArray)
{
    const int x = (screen.left + screen.right) / 2 - main.width / 2;
    const int y = (screen.top + screen.bottom) / 2 - main.height / 2;
    return DefaultPlacement{RectAt(x, y, main), RectAt(x + 48, y - 24, terminal),
                            RectAt(x + 96, y - 48, buttonArray)};
}

DefaultPlacement ComputeDefaultPlacement(const WindowRect& screen, WindowSize main,
                                         WindowSize terminal, WindowSize buttonArray,
                                         const FrameMargins& frame)
{
    const Room room{screen.right - screen.left, screen.bottom - screen.top};
    if (auto placed = SideBySide(screen, room, main, terminal, buttonArray, frame))
        return *placed;
    if (auto placed = TerminalBelow(screen, room, main, terminal, buttonArray, frame))
        return *placed;
    return ComputeOffsetPlacement(screen, main, terminal, buttonArray);
}

WindowRect StoredOrDefault(const WindowRect& stored, const WindowRect& fallback,
                           std::span<const WindowRect> screens)
{
    const int64_t left = stored.left;
    const int64_t top = stored.top;
    const int64_t right = stored.right;
    const int64_t bottom = stored.bottom;
    if (right <= left || bottom <= top || right - left > kMaxWindowExtent ||
        bottom - top > kMaxWindowExtent)
        return fallback;
    const bool onAScreen = std::any_of(screens.begin(), screens.end(), [&](const WindowRect& s) {
        return left < s.right && s.left < right && top < s.bottom && s.top < bottom;
    });
    return onAScreen ? stored : fallback;
}

} // namespace wirevane
