#include "grid/grid_editor_text.h"
#include "send_grid_fixture.h"

namespace wirevane::test {
namespace {

using Col = SendTable::Column;

class GridDelayEditorTest : public SendGridTest {
protected:
    // Typed over the cell's text, which the editor starts with all selected; Enter commits.
    std::u16string typeInto(int row, int column, const QString& keys)
    {
        grid.StartCellEdit(row, column);
        auto* editor = qobject_cast<CGridEditorText*>(grid.GetEditor());
        EXPECT_NE(editor, nullptr);
        if (editor == nullptr)
            return {};
        QTest::keyClicks(editor, keys);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return grid.GetCellText(row, column);
    }
};

// Only a number the run can keep gets into the delay cell, so the cell never shows one delay
// while the run waits another.
TEST_F(GridDelayEditorTest, TheDelayCellTakesOnlyADecimalNumberInRange)
{
    const std::pair<QString, std::u16string> cases[] = {
        {QStringLiteral("abc"), u"100"},
        {QStringLiteral("25x0 ms"), u"250"},
        {QStringLiteral("-40"), u"-40"},
        {QStringLiteral("+7"), u"+7"},
        {QStringLiteral("2147483647"), u"2147483647"},
        {QStringLiteral("21474836479"), u"2147483647"},
        {QStringLiteral("3000000000"), u"300000000"},
        {QStringLiteral("-21474836489"), u"-2147483648"},
        {QStringLiteral("1-2"), u"12"},
    };
    for (const auto& [keys, shown] : cases) {
        SCOPED_TRACE(keys.toStdString());
        grid.SetCellText(4, Col::kDelayColumn, u"100");
        EXPECT_EQ(typeInto(4, Col::kDelayColumn, keys), shown);
        const std::string digits(shown.begin(), shown.end());
        EXPECT_EQ(table.ReadRowDelay(4), std::stoi(digits));
    }

    // A digit of another script is a digit to Qt but not to the reading of the cell.
    grid.SetCellText(4, Col::kDelayColumn, u"100");
    grid.StartCellEdit(4, Col::kDelayColumn);
    auto* editor = qobject_cast<CGridEditorText*>(grid.GetEditor());
    ASSERT_NE(editor, nullptr);
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(QChar(0x0663)),
                        Qt::NoModifier);
    EXPECT_EQ(editor->text(), QStringLiteral("100"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Text that came from a file is shown as it is until the user changes it, and the send data
// column is free text as before.
TEST_F(GridDelayEditorTest, OldTextStaysAndOtherColumnsTakeAnyText)
{
    grid.SetCellText(7, Col::kDelayColumn, u"250ms");
    grid.StartCellEdit(7, Col::kDelayColumn);
    auto* editor = qobject_cast<CGridEditorText*>(grid.GetEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("250ms"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(grid.GetCellText(7, Col::kDelayColumn), u"250ms");
    EXPECT_EQ(table.ReadRowDelay(7), 250);

    EXPECT_EQ(typeInto(7, Col::kDataColumn, QStringLiteral("AT+abc")), u"AT+abc");
}

} // namespace
} // namespace wirevane::test
