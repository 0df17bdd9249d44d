#include "app/window_placement.h"
#include "buttons/dialog_button_array.h"
#include "main_window_rig.h"
#include "terminal/dialog_terminal.h"

#include <QGuiApplication>
#include <QScreen>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

constexpr WindowSize kMain{760, 560};
constexpr WindowSize kTerminal{640, 400};
constexpr WindowSize kButtons{280, 560};
constexpr FrameMargins kFrame{4, 28, 4, 4};

// The rectangle the window system draws: the client rectangle with its frame.
WindowRect Outer(const WindowRect& client)
{
    return WindowRect{client.left - kFrame.left, client.top - kFrame.top,
                      client.right + kFrame.right, client.bottom + kFrame.bottom};
}

bool Overlap(const WindowRect& a, const WindowRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const WindowRect& inner, const WindowRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

DefaultPlacement Placed(const WindowRect& screen)
{
    return ComputeDefaultPlacement(screen, kMain, kTerminal, kButtons, kFrame);
}

DefaultPlacement Offsets(const WindowRect& screen)
{
    return ComputeOffsetPlacement(screen, kMain, kTerminal, kButtons);
}

std::array<WindowRect, 3> Rects(const DefaultPlacement& placed)
{
    return {placed.main, placed.terminal, placed.buttonArray};
}

void ExpectApartOnTheScreen(const DefaultPlacement& placed, const WindowRect& screen)
{
    for (const WindowRect& rect : Rects(placed))
        EXPECT_TRUE(Inside(Outer(rect), screen));
    EXPECT_FALSE(Overlap(Outer(placed.main), Outer(placed.terminal)));
    EXPECT_FALSE(Overlap(Outer(placed.main), Outer(placed.buttonArray)));
    EXPECT_FALSE(Overlap(Outer(placed.terminal), Outer(placed.buttonArray)));
}

TEST(DefaultPlacement, EachScreenGetsTheThreeWindowsSideBySideTheTerminalBelowOrTheOffsets)
{
    const WindowRect screen{0, 0, 1700, 1000};
    const DefaultPlacement placed = Placed(screen);
    ExpectApartOnTheScreen(placed, screen);
    EXPECT_LT(placed.main.right, placed.terminal.left);
    EXPECT_LT(placed.terminal.right, placed.buttonArray.left);
    EXPECT_EQ(placed.main.top, placed.terminal.top);
    // The main window and the array keep their sizes; the terminal gives up width to fit.
    EXPECT_EQ(placed.main.right - placed.main.left, kMain.width);
    EXPECT_EQ(placed.buttonArray.bottom - placed.buttonArray.top, kButtons.height);
    EXPECT_LT(placed.terminal.right - placed.terminal.left, kTerminal.width);
    EXPECT_GE(placed.terminal.right - placed.terminal.left, kMinTerminalSize.width);
    EXPECT_EQ(placed.terminal.bottom - placed.terminal.top, kTerminal.height);

    // With room to spare the terminal keeps its own width, and the group sits in the middle.
    const WindowRect wide{-1920, 0, 0, 1080};
    const DefaultPlacement roomy = Placed(wide);
    ExpectApartOnTheScreen(roomy, wide);
    EXPECT_EQ(roomy.terminal.right - roomy.terminal.left, kTerminal.width);
    EXPECT_EQ(Outer(roomy.main).left - wide.left, wide.right - Outer(roomy.buttonArray).right);

    // A screen too narrow for a row gets the terminal below the main window.
    for (const WindowRect& narrow :
         {WindowRect{100, 50, 1200, 1250}, WindowRect{0, 0, 1600, 1000}}) {
        const DefaultPlacement stacked = Placed(narrow);
        ExpectApartOnTheScreen(stacked, narrow);
        EXPECT_EQ(stacked.terminal.left, stacked.main.left);
        EXPECT_GT(stacked.terminal.top, stacked.main.bottom);
        EXPECT_GT(stacked.buttonArray.left, stacked.terminal.right);
        EXPECT_GE(stacked.terminal.bottom - stacked.terminal.top, kMinTerminalSize.height);
    }
    // One too small for them keeps the offsets from the centred main window.
    for (const WindowRect& small :
         {WindowRect{0, 0, 1024, 768}, WindowRect{0, 0, 1280, 720}, WindowRect{0, 0, 800, 600}})
        EXPECT_EQ(Rects(Placed(small)), Rects(Offsets(small))) << small.right;
    EXPECT_EQ(Rects(Offsets(WindowRect{0, 0, 1024, 768})),
              (std::array<WindowRect, 3>{
                  WindowRect{132, 104, 892, 664}, {180, 80, 820, 480}, {228, 56, 508, 616}}));
}

TEST(StoredPlacement, ARectangleOnAScreenIsKeptAndAnyOtherGivesTheDefault)
{
    const std::vector<WindowRect> screens = {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
    const WindowRect fallback{10, 10, 20, 20};
    // Partly off the screens, or on the second one: kept as it is.
    for (const WindowRect& kept :
         {WindowRect{-300, -20, 100, 400}, WindowRect{2000, 100, 2600, 500},
          WindowRect{3100, 900, 3900, 1400}})
        EXPECT_EQ(StoredOrDefault(kept, fallback, screens), kept) << kept.left;
    for (const WindowRect& refused : {
             WindowRect{300, 200, 300, 700},                   // no width
             WindowRect{300, 200, 900, 100},                   // negative height
             WindowRect{-2000000000, 0, 2000000000, 500},      // wider than any window
             WindowRect{0, INT32_MIN, 500, INT32_MAX},         // taller than any window
             WindowRect{4000, 100, 4600, 500},                 // a monitor that is gone
             WindowRect{INT32_MAX - 500, 100, INT32_MAX, 500}, // far off, as is
             WindowRect{-700, 100, 0, 500},                    // touching the edge only
         })
        EXPECT_EQ(StoredOrDefault(refused, fallback, screens), fallback) << refused.left;
}

TEST(StoredPlacement, AWindowStoredOffEveryScreenStartsWhereTheDefaultPutsIt)
{
    test::MainWindowRig rig;
    // Off every screen, wider than any window, and of zero width: each counts as none.
    rig.WriteSettingsFile("[WINDOW_MAIN]\nNORM_LEFT=-2000000000\nNORM_TOP=0\n"
                          "NORM_RIGHT=2000000000\nNORM_BOTTOM=500\n"
                          "[WINDOW_TERMINAL]\nNORM_LEFT=50000\nNORM_TOP=50000\n"
                          "NORM_RIGHT=50600\nNORM_BOTTOM=50400\n"
                          "[WINDOW_BUTTON_ARRAY]\nNORM_LEFT=300\nNORM_TOP=200\n"
                          "NORM_RIGHT=300\nNORM_BOTTOM=700\n");
    CWirevaneDlg& window = rig.Start();
    // The offscreen screen is too small for the windows side by side.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const DefaultPlacement placed =
        Offsets({screen.left(), screen.top(), screen.left() + screen.width(),
                 screen.top() + screen.height()});
    const auto topLeft = [](const WindowRect& rect) { return QPoint(rect.left, rect.top); };
    EXPECT_EQ(window.geometry(), QRect(topLeft(placed.main), QSize(kMain.width, kMain.height)));
    EXPECT_EQ(window.terminal().geometry().topLeft(), topLeft(placed.terminal));
    EXPECT_EQ(window.buttonArray().geometry().topLeft(), topLeft(placed.buttonArray));
    EXPECT_TRUE(window.terminal().isVisible());
}

} // namespace
} // namespace wirevane
