#include "core/expectation.h"
#include "grid/decimal_validator.h"
#include "grid/expectation_validator.h"
#include "grid/grid_column_trait_combo.h"
#include "grid/grid_editor_combo_box.h"
#include "grid/grid_editor_text.h"
#include "send_grid_fixture.h"

#include <QAbstractItemView>
#include <QToolTip>

namespace wirevane::test {
namespace {

using Col = SendTable::Column;

class GridEditingTest : public SendGridTest {
protected:
    // The second click on a focused cell opens its editor.
    void openByClicks(int row, int column)
    {
        click(labelPoint(row, column));
        click(labelPoint(row, column));
    }
    CGridEditorText* textEditor() { return qobject_cast<CGridEditorText*>(grid.GetEditor()); }
    CGridEditorComboBox* comboEditor()
    {
        return qobject_cast<CGridEditorComboBox*>(grid.GetEditor());
    }
    // Typed over the cell's text, which the editor starts with all selected; Enter commits.
    std::u16string typeInto(int row, int column, const QString& keys)
    {
        grid.StartCellEdit(row, column);
        CGridEditorText* editor = textEditor();
        EXPECT_NE(editor, nullptr);
        if (editor == nullptr)
            return {};
        QTest::keyClicks(editor, keys);
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
        return grid.GetCellText(row, column);
    }
};

TEST_F(GridEditingTest, TheSecondClickOpensTheTextEditorAndEscapeOrAnUnchangedEnterKeepTheText)
{
    grid.SetCellText(6, Col::kDataColumn, u"hello");
    click(labelPoint(6, Col::kDataColumn));
    EXPECT_EQ(grid.GetEditor(), nullptr);
    click(labelPoint(6, Col::kDataColumn));
    CGridEditorText* editor = textEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(std::tuple(editor->text(), editor->selectedText(), editor->hasFocus(),
                         editor->IsModified(), grid.beginCount),
              std::tuple(QStringLiteral("hello"), QStringLiteral("hello"), true, false, 1));

    QTest::keyClicks(editor, QStringLiteral("bye"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(grid.GetCellText(6, Col::kDataColumn), u"hello");
    EXPECT_EQ(grid.GetEditor(), nullptr);
    ASSERT_EQ(grid.changes.size(), 1u);
    EXPECT_FALSE(grid.changes[0].text.has_value());
    EXPECT_TRUE(grid.hasFocus());

    openByClicks(2, Col::kDelayColumn);
    ASSERT_NE(textEditor(), nullptr);
    QTest::keyClick(textEditor(), Qt::Key_Enter);
    ASSERT_EQ(grid.changes.size(), 2u);
    EXPECT_FALSE(grid.changes[1].text.has_value());
    EXPECT_EQ(grid.GetCellText(2, Col::kDelayColumn), u"100");
}

// Clicking another row, Tab, the wheel and the engine reading the cell each end the edit with
// the typed text.
TEST_F(GridEditingTest, EveryWayOutOfAnEditButEscapeCommitsTheTypedText)
{
    openByClicks(9, Col::kDataColumn);
    ASSERT_NE(textEditor(), nullptr);
    QTest::keyClicks(textEditor(), QStringLiteral("AT+GMR"));
    click(labelPoint(20, Col::kDataColumn));
    EXPECT_EQ(grid.GetCellText(9, Col::kDataColumn), u"AT+GMR");
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.Selection().FocusRow(), 20);

    openByClicks(1, Col::kDataColumn);
    QTest::keyClicks(textEditor(), QStringLiteral("x"));
    EXPECT_EQ(table.ReadRowSendData(1), u"x");
    EXPECT_EQ(grid.GetEditor(), nullptr);

    openByClicks(3, Col::kDataColumn);
    QTest::keyClicks(textEditor(), QStringLiteral("tabbed"));
    QTest::keyClick(textEditor(), Qt::Key_Tab);
    EXPECT_EQ(grid.GetCellText(3, Col::kDataColumn), u"tabbed");

    grid.StartCellEdit(4, Col::kDataColumn);
    QTest::keyClicks(textEditor(), QStringLiteral("wheeled"));
    QWheelEvent wheel(QPointF(5, 5), textEditor()->mapToGlobal(QPointF(5, 5)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(textEditor(), &wheel);
    EXPECT_EQ(grid.GetCellText(4, Col::kDataColumn), u"wheeled");
    EXPECT_EQ(grid.GetEditor(), nullptr);
}

TEST_F(GridEditingTest, ARefusedBeginChangesNothing)
{
    grid.refuseBegin = true;
    grid.SetCellText(5, Col::kDataColumn, u"keep");
    openByClicks(5, Col::kDataColumn);
    EXPECT_EQ(grid.beginCount, 1);
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetCellText(5, Col::kDataColumn), u"keep");
    EXPECT_TRUE(grid.changes.empty());
}

TEST_F(GridEditingTest, F2EditsTheFocusCellAndLeavesImageCellsAlone)
{
    click(labelPoint(12, Col::kDelayColumn));
    key(Qt::Key_F2);
    ASSERT_NE(textEditor(), nullptr);
    QTest::keyClick(textEditor(), Qt::Key_Escape);

    click(labelPoint(12, Col::kSelectColumn));
    key(Qt::Key_F2);
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(checks(Col::kSelectColumn, {12}), "-");
}

TEST_F(GridEditingTest, TheWaitEditorPreselectsTheCellTextOrItsPrefixAndEnterWritesTheChoice)
{
    grid.SetCellText(7, Col::kWaitColumn, u"CR");
    openByClicks(7, Col::kWaitColumn);
    CGridEditorComboBox* combo = comboEditor();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(std::tuple(combo->isEditable(), combo->count(), combo->maxVisibleItems()),
              std::tuple(false, 4, 7));
    EXPECT_EQ(combo->currentText(), QStringLiteral("CR"));
    EXPECT_EQ(combo->geometry(), grid.Geometry().CellRect(7, Col::kWaitColumn));

    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Any"));
    QTest::keyClick(combo, Qt::Key_Enter);
    EXPECT_EQ(grid.GetCellText(7, Col::kWaitColumn), u"Any");
    EXPECT_EQ(table.ReadRowWaitKind(7), WaitKind::Any);

    // A text that begins an item, in any case, preselects it; Escape keeps the cell.
    grid.SetCellText(8, Col::kWaitColumn, u"n");
    grid.StartCellEdit(8, Col::kWaitColumn);
    ASSERT_NE(comboEditor(), nullptr);
    EXPECT_EQ(comboEditor()->currentText(), QStringLiteral("NL"));
    QTest::keyClick(comboEditor(), Qt::Key_Up);
    QTest::keyClick(comboEditor(), Qt::Key_Escape);
    EXPECT_EQ(grid.GetCellText(8, Col::kWaitColumn), u"n");

    // A text that begins no item selects none; committing untouched leaves the cell alone.
    grid.SetCellText(8, Col::kWaitColumn, u"zz");
    grid.StartCellEdit(8, Col::kWaitColumn);
    EXPECT_EQ(comboEditor()->currentIndex(), -1);
    click(labelPoint(30, Col::kDataColumn));
    EXPECT_EQ(grid.GetCellText(8, Col::kWaitColumn), u"zz");
    EXPECT_EQ(grid.GetEditor(), nullptr);
}

// The dropped list widens to its longest item up to its limit; an editable drop-down takes
// typed text.
TEST_F(GridEditingTest, DropDownsWidenToTheirLongestItemAndAnEditableOneTakesTypedText)
{
    grid.StartCellEdit(0, Col::kWaitColumn);
    CGridEditorComboBox* combo = comboEditor();
    ASSERT_NE(combo, nullptr);
    combo->addItem(QString(80, QLatin1Char('W')));
    combo->showPopup();
    EXPECT_EQ(combo->view()->minimumWidth(), 200);
    combo->hidePopup();
    QTest::keyClick(combo, Qt::Key_Escape);

    auto trait = std::make_unique<CGridColumnTraitCombo>();
    trait->AddItem(0, u"alpha");
    trait->AddItem(0, u"beta");
    const int column =
        grid.InsertColumnWithTrait(7, u"extra", Qt::AlignLeft, 90, 6, std::move(trait));
    grid.SetCellText(0, column, u"B");
    grid.StartCellEdit(0, column);
    CGridEditorComboBox* editable = comboEditor();
    ASSERT_NE(editable, nullptr);
    ASSERT_TRUE(editable->isEditable());
    EXPECT_EQ(editable->currentText(), QStringLiteral("beta"));
    editable->lineEdit()->selectAll();
    QTest::keyClicks(editable->lineEdit(), QStringLiteral("gamma"));
    QTest::keyClick(editable->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(0, column), u"gamma");
}

// What the delay cell shows is what the run waits, and an expected answer whose expression
// cannot be compiled would fail every run: text that the column's rule refuses leaves the old
// value in the cell, and a note under the cell says why, instead of keys vanishing as typed.
TEST_F(GridEditingTest, TheColumnsRulesRefuseTypedTextWithAReasonButNotTextFromAFile)
{
    // The column, the keys typed over "100", and what the cell holds after Enter.
    const std::tuple<int, const char16_t*, const char16_t*> cases[] = {
        {Col::kDelayColumn, u"250", u"250"},
        {Col::kDelayColumn, u"25x0 ms", u"100"},
        {Col::kDelayColumn, u"2147483648", u"100"},
        {Col::kExpectColumn, u"OK\\r", u"OK\\r"},
        {Col::kExpectColumn, u"re:^[+-]\\d+\\.\\d+", u"re:^[+-]\\d+\\.\\d+"},
        {Col::kExpectColumn, u"(unclosed", u"(unclosed"},
        {Col::kExpectColumn, u"re:(unclosed", u"100"},
        {Col::kExpectColumn, u"re:a**", u"100"},
    };
    for (const auto& [column, typed, shown] : cases) {
        const QString keys = QString::fromUtf16(typed);
        SCOPED_TRACE(keys.toStdString());
        QToolTip::hideText();
        grid.SetCellText(4, column, u"100");
        EXPECT_EQ(typeInto(4, column, keys), shown);
        const bool refused = std::u16string_view(typed) != shown;
        EXPECT_EQ(QToolTip::isVisible(), refused);
        if (column == Col::kExpectColumn) {
            EXPECT_EQ(table.ReadRowExpect(4), shown);
            if (refused) {
                EXPECT_EQ(QToolTip::text(), ExpectationValidator::Refusal(keys));
                EXPECT_TRUE(
                    QToolTip::text().contains(QString::fromStdU16String(ExpectationError(typed))));
            }
            continue;
        }
        EXPECT_EQ(table.ReadRowDelay(4), QString::fromUtf16(shown).toInt());
        if (refused) {
            EXPECT_EQ(QToolTip::text(), DelayValidator::Refusal());
        }
    }

    // Text that came from a file is shown as it is until the user changes it, and the send data
    // column is free text as before.
    grid.SetCellText(7, Col::kDelayColumn, u"250ms");
    grid.StartCellEdit(7, Col::kDelayColumn);
    CGridEditorText* editor = textEditor();
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
