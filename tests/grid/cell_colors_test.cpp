#include "grid/cell_colors.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

// A palette whose every colour role and group is told apart, so a test sees which one was used.
QPalette DistinctPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 1, 1));
    palette.setColor(QPalette::Text, QColor(2, 2, 2));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(3, 3, 3));
    palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(4, 4, 4));
    palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(5, 5, 5));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, QColor(6, 6, 6));
    return palette;
}

const QColor kRowBack(10, 0, 0);
const QColor kRowText(20, 0, 0);
const QColor kCellBack(0, 10, 0);
const QColor kCellText(0, 20, 0);

TEST(CellColors, TheColumnsColoursWinOverTheRowsWhichWinOverThePalettes)
{
    CellColorInputs in;
    in.palette = DistinctPalette();
    CellColors plain = ResolveCellColors(in);
    EXPECT_EQ(plain.background, QColor(1, 1, 1));
    EXPECT_EQ(plain.fill, QColor(1, 1, 1));
    EXPECT_EQ(plain.text, QColor(2, 2, 2));

    in.rowBack = kRowBack;
    in.rowText = kRowText;
    const CellColors row = ResolveCellColors(in);
    EXPECT_EQ(row.background, kRowBack);
    EXPECT_EQ(row.text, kRowText);

    // Each of a column's colours wins on its own: a column that sets only its text keeps the
    // row's background.
    in.cellText = kCellText;
    const CellColors textOnly = ResolveCellColors(in);
    EXPECT_EQ(textOnly.background, kRowBack);
    EXPECT_EQ(textOnly.text, kCellText);

    in.cellBack = kCellBack;
    const CellColors cell = ResolveCellColors(in);
    EXPECT_EQ(cell.background, kCellBack);
    EXPECT_EQ(cell.fill, kCellBack);
}

TEST(CellColors, ASelectedCellIsHighlightedDimmerWithoutTheFocusAndKeepsItsBackground)
{
    CellColorInputs in;
    in.palette = DistinctPalette();
    in.cellBack = kCellBack;
    in.cellText = kCellText;
    in.selected = true;

    in.listFocused = true;
    const CellColors focused = ResolveCellColors(in);
    EXPECT_EQ(focused.fill, QColor(3, 3, 3));
    EXPECT_EQ(focused.text, QColor(4, 4, 4));
    // The row trait paints over the cell with the cell's own background, not the highlight.
    EXPECT_EQ(focused.background, kCellBack);

    in.listFocused = false;
    const CellColors unfocused = ResolveCellColors(in);
    EXPECT_EQ(unfocused.fill, QColor(5, 5, 5));
    EXPECT_EQ(unfocused.text, QColor(6, 6, 6));
}

TEST(CellColors, TheFocusCellOfASelectedRowIsDrawnUnselectedOnlyWhenTheRowTraitAsks)
{
    CellColorInputs in;
    in.palette = DistinctPalette();
    in.rowBack = kRowBack;
    in.selected = true;
    in.listFocused = true;
    in.focusCell = true;
    EXPECT_EQ(ResolveCellColors(in).fill, QColor(3, 3, 3));

    in.invertsFocusCell = true;
    const CellColors inverted = ResolveCellColors(in);
    EXPECT_EQ(inverted.fill, kRowBack);
    EXPECT_EQ(inverted.text, QColor(2, 2, 2));

    // The other cells of that row stay highlighted.
    in.focusCell = false;
    EXPECT_EQ(ResolveCellColors(in).fill, QColor(3, 3, 3));
}

} // namespace
} // namespace wirevane
