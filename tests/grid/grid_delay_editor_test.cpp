#include "core/expectation.h"
#include "grid/decimal_validator.h"
#include "grid/expectation_validator.h"
#include "grid/grid_editor_text.h"
#include "send_grid_fixture.h"

#include <QToolTip>

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
        settle();
        return grid.GetCellText(row, column);
    }
};

// What the delay cell shows is what the run waits, and an expected answer whose expression
// cannot be compiled would fail every run: text that the column's rule refuses leaves the old
// value in the cell, and a note under the cell says why, instead of keys vanishing as typed.
TEST_F(GridDelayEditorTest, ARefusedTextKeepsTheOldValueAndSaysWhy)
{
    struct Case {
        int column;
        QString keys;
        std::u16string shown;
    };
    const Case cases[] = {
        {Col::kDelayColumn, QStringLiteral("250"), u"250"},
        {Col::kDelayColumn, QStringLiteral("25x0 ms"), u"100"},
        {Col::kDelayColumn, QStringLiteral("2147483648"), u"100"},
        {Col::kExpectColumn, QStringLiteral("OK\\r"), u"OK\\r"},
        {Col::kExpectColumn, QStringLiteral("re:^[+-]\\d+\\.\\d+"), u"re:^[+-]\\d+\\.\\d+"},
        {Col::kExpectColumn, QStringLiteral("(unclosed"), u"(unclosed"},
        {Col::kExpectColumn, QStringLiteral("re:(unclosed"), u"100"},
        {Col::kExpectColumn, QStringLiteral("re:a**"), u"100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        QToolTip::hideText();
        grid.SetCellText(4, c.column, u"100");
        EXPECT_EQ(typeInto(4, c.column, c.keys), c.shown);
        const bool refused = c.keys.toStdU16String() != c.shown;
        EXPECT_EQ(QToolTip::isVisible(), refused);
        if (c.column == Col::kExpectColumn) {
            EXPECT_EQ(table.ReadRowExpect(4), c.shown);
            if (refused) {
                EXPECT_EQ(QToolTip::text(), ExpectationValidator::Refusal(c.keys));
                EXPECT_TRUE(QToolTip::text().contains(
                    QString::fromStdU16String(ExpectationError(c.keys.toStdU16String()))));
            }
            continue;
        }
        const std::string digits(c.shown.begin(), c.shown.end());
        EXPECT_EQ(table.ReadRowDelay(4), std::stoi(digits));
        if (refused) {
            EXPECT_EQ(QToolTip::text(), DelayValidator::Refusal());
        }
    }
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
    settle();
    EXPECT_EQ(grid.GetCellText(7, Col::kDelayColumn), u"250ms");
    EXPECT_EQ(table.ReadRowDelay(7), 250);

    EXPECT_EQ(typeInto(7, Col::kDataColumn, QStringLiteral("AT+abc")), u"AT+abc");
}

} // namespace
} // namespace wirevane::test
