#include "app/window_placement.h"

namespace wirevane {

namespace {

WindowRect RectAt(int left, int top, WindowSize size)
{
    return WindowRect{left, top, left + size.width, top + size.height};
}

} // namespace

DefaultPlacement ComputeDefaultPlacement(const WindowRect& screen, WindowSize main,
                                         WindowSize terminal, WindowSize buttonArray)
{
    const int x = (screen.left + screen.right) / 2 - main.width / 2;
    const int y = (screen.top + screen.bottom) / 2 - main.height / 2;
    return DefaultPlacement{RectAt(x, y, main), RectAt(x + 48, y - 24, terminal),
                            RectAt(x + 96, y - 48, buttonArray)};
}

} // namespace wirevane
