#include "grid/decimal_validator.h"
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
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return grid.GetCellText(row, column);
    }
};

// What the delay cell shows is what the run waits: text that the delay rule refuses leaves the
// old value in the cell, and a note under the cell says why, instead of keys vanishing as typed.
TEST_F(GridDelayEditorTest, ARefusedDelayKeepsTheOldValueAndSaysWhy)
{
    const std::pair<QString, std::u16string> cases[] = {
        {QStringLiteral("250"), u"250"},
        {QStringLiteral("0"), u"0"},
        {QStringLiteral("2147483647"), u"2147483647"},
        {QStringLiteral("abc"), u"100"},
        {QStringLiteral("25x0 ms"), u"100"},
        {QStringLiteral("-5"), u"100"},
        {QStringLiteral("+7"), u"100"},
        {QStringLiteral("99999999999"), u"100"},
        {QStringLiteral("2147483648"), u"100"},
    };
    for (const auto& [keys, shown] : cases) {
        SCOPED_TRACE(keys.toStdString());
        QToolTip::hideText();
        grid.SetCellText(4, Col::kDelayColumn, u"100");
        EXPECT_EQ(typeInto(4, Col::kDelayColumn, keys), shown);
        const std::string digits(shown.begin(), shown.end());
        EXPECT_EQ(table.ReadRowDelay(4), std::stoi(digits));
        const bool refused = keys.toStdU16String() != shown;
        EXPECT_EQ(QToolTip::isVisible(), refused);
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
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(grid.GetCellText(7, Col::kDelayColumn), u"250ms");
    EXPECT_EQ(table.ReadRowDelay(7), 250);

    EXPECT_EQ(typeInto(7, Col::kDataColumn, QStringLiteral("AT+abc")), u"AT+abc");
}

} // namespace
} // namespace wirevane::test
