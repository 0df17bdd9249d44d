#include "grid/escape_legend.h"
#include "send_grid_fixture.h"

#include <QHeaderView>
#include <QToolTip>

namespace wirevane::test {
namespace {

using Col = SendTable::Column;

TEST(EscapeLegend, EachExampleSendsTheBytesOfItsEscape)
{
    // Every escape of the legend appears in its own example and changes what is sent.
    for (const EscapeLegendLine& line : EscapeLegend()) {
        const std::u16string_view example = line.example;
        const std::u16string_view escape = line.escape;
        EXPECT_NE(example.find(escape.substr(0, 2)), std::u16string_view::npos);
        const QString sent = ExampleBytes(example);
        EXPECT_FALSE(sent.isEmpty());
        EXPECT_NE(sent.count(QLatin1Char(' ')) + 1, static_cast<qsizetype>(example.size()))
            << "an escape of several characters sends one byte";
    }
    EXPECT_FALSE(EscapesStayAsWritten(u"AT\\r", TextEncoding::Sjis));
    EXPECT_FALSE(EscapesStayAsWritten(u"AT\\r", TextEncoding::Euc));
    EXPECT_FALSE(EscapesStayAsWritten(u"AT", TextEncoding::Utf8));
    EXPECT_TRUE(EscapesStayAsWritten(u"AT\\r", TextEncoding::Utf8));
}

TEST_F(SendGridTest, TheSendDataHeaderShowsTheEscapeTableAsItsTooltip)
{
    QHeaderView* header = grid.header();
    const int x = header->sectionViewportPosition(Col::kDataColumn) + 10;
    hover(header->viewport(), QPoint(x, header->height() / 2));
    const QString shown = QToolTip::text();
    EXPECT_EQ(shown, EscapeLegendToolTip());
    for (const char* piece : {"\\r", "0x0D", "\\o101", "41 54 0D", "UTF-8"})
        EXPECT_TRUE(shown.contains(QString::fromLatin1(piece))) << piece;

    EXPECT_FALSE(grid.GetCellModel()
                     .headerData(Col::kDelayColumn, Qt::Horizontal, Qt::ToolTipRole)
                     .isValid());
}

TEST_F(SendGridTest, ACellRemarkIsDrawnAtTheCellsEndAndAddedToItsTooltip)
{
    grid.SetCellText(2, Col::kDataColumn, u"AT\\r");
    const QRect cell = grid.Geometry().CellRect(2, Col::kDataColumn);
    const QImage plain = viewport()->grab(cell).toImage();

    grid.SetCellRemarks([](int row, int column) -> CGridListCtrlEx::CellRemark {
        if (row != 2 || column != Col::kDataColumn)
            return {};
        return {QStringLiteral("mark"), QStringLiteral("the note")};
    });
    const QImage marked = viewport()->grab(cell).toImage();
    EXPECT_NE(plain, marked);
    // The text keeps its place; the mark takes the right end of the cell.
    const int half = cell.width() / 2;
    EXPECT_EQ(plain.copy(0, 0, half, cell.height()), marked.copy(0, 0, half, cell.height()));

    hover(viewport(), labelPoint(2, Col::kDataColumn));
    EXPECT_EQ(QToolTip::text(), QStringLiteral("AT\\r\nthe note"));
    EXPECT_EQ(grid.CellToolTipText(3, Col::kDataColumn), QString()) << "an empty cell has none";
}

} // namespace
} // namespace wirevane::test
