#include "grid/cell_colors.h"
#include "grid/grid_images.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>
#include <string>

namespace wirevane {
namespace {

// Inputs where every colour a cell may get is told apart by its red part alone: the palette's
// roles and groups 1 to 6, the row's 10 and 20, the column's 30 and 40.
CellColorInputs DistinctInputs()
{
    CellColorInputs in;
    in.palette.setColor(QPalette::Base, QColor(1, 0, 0));
    in.palette.setColor(QPalette::Text, QColor(2, 0, 0));
    in.palette.setColor(QPalette::Active, QPalette::Highlight, QColor(3, 0, 0));
    in.palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(4, 0, 0));
    in.palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(5, 0, 0));
    in.palette.setColor(QPalette::Inactive, QPalette::HighlightedText, QColor(6, 0, 0));
    return in;
}

// The cell's background, fill and text, each by its red part.
std::string Describe(const CellColorInputs& in)
{
    const CellColors colors = ResolveCellColors(in);
    return std::to_string(colors.background.red()) + " " + std::to_string(colors.fill.red()) + " " +
           std::to_string(colors.text.red());
}

// The column's colours win over the row's, which win over the palette's; a selected cell is
// highlighted, dimmer without the focus, and keeps its background; the focus cell of a selected
// row is drawn unselected only when the row trait asks.
TEST(CellColors, ColumnOverRowOverPaletteAndTheHighlightAsSelectionAndFocusAsk)
{
    CellColorInputs in = DistinctInputs();
    EXPECT_EQ(Describe(in), "1 1 2");
    in.rowBack = QColor(10, 0, 0);
    in.rowText = QColor(20, 0, 0);
    EXPECT_EQ(Describe(in), "10 10 20");
    // Each of a column's colours wins on its own: a column that sets only its text keeps the
    // row's background.
    in.cellText = QColor(40, 0, 0);
    EXPECT_EQ(Describe(in), "10 10 40");
    in.cellBack = QColor(30, 0, 0);
    EXPECT_EQ(Describe(in), "30 30 40");

    in = DistinctInputs();
    in.cellBack = QColor(30, 0, 0);
    in.cellText = QColor(40, 0, 0);
    in.selected = true;
    // The row trait paints over the cell with the cell's own background, not the highlight.
    in.listFocused = true;
    EXPECT_EQ(Describe(in), "30 3 4");
    in.listFocused = false;
    EXPECT_EQ(Describe(in), "30 5 6");

    in = DistinctInputs();
    in.rowBack = QColor(10, 0, 0);
    in.selected = true;
    in.listFocused = true;
    in.focusCell = true;
    EXPECT_EQ(Describe(in), "10 3 4");
    in.invertsFocusCell = true;
    EXPECT_EQ(Describe(in), "10 10 2");
    // The other cells of that row stay highlighted.
    in.focusCell = false;
    EXPECT_EQ(Describe(in), "10 3 4");
}

int OpaquePixels(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage();
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    }
    return opaque;
}

TEST(GridImages, EachMarkerHasItsOwnPictureDrawnForTheSizeAndPixelRatioAndZeroHasNone)
{
    EXPECT_TRUE(MarkerIcon(0).isNull());
    EXPECT_TRUE(MarkerIcon(7).isNull());
    std::vector<QImage> seen;
    for (int index = 1; index <= 6; ++index) {
        const QPixmap pixmap = MarkerIcon(index).pixmap(QSize(16, 16));
        EXPECT_GT(OpaquePixels(pixmap), 60) << index;
        const QImage image = pixmap.toImage();
        for (const QImage& other : seen)
            EXPECT_NE(image, other) << index;
        seen.push_back(image);
    }
    EXPECT_NE(CheckBoxIcon(true).pixmap(QSize(16, 16)).toImage(),
              CheckBoxIcon(false).pixmap(QSize(16, 16)).toImage());

    // Pictures are drawn for the requested size and pixel ratio.
    const QPixmap sharp = MarkerIcon(1).pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
    // Drawn at 32 pixels, not scaled up: the shape covers about four times the pixels.
    const int small = OpaquePixels(MarkerIcon(1).pixmap(QSize(16, 16), 1.0));
    EXPECT_NEAR(OpaquePixels(sharp), 4 * small, small);
    EXPECT_EQ(CheckBoxIcon(false).pixmap(QSize(48, 48)).size(), QSize(48, 48));
}

} // namespace
} // namespace wirevane
