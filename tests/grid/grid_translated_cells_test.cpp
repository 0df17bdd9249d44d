#include "grid/grid_editor_combo_box.h"
#include "send_grid_fixture.h"

#include <QTranslator>
#include <map>
#include <string>
#include <utility>

namespace wirevane::test {
namespace {

using Col = SendTable::Column;

// The send table's own words in English, as the program's translation gives them.
class TableWordsInEnglish final : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        static const std::map<std::pair<std::string, QString>, QString> kWords = {
            {{"SendTableColumns", QStringLiteral("なし")}, QStringLiteral("None")},
            {{"SendTableColumns", QStringLiteral("送信する")}, QStringLiteral("Send")},
            {{"SendTableStatus", QStringLiteral("送信済")}, QStringLiteral("Sent")},
            {{"SendTableStatus", QStringLiteral("受信待")}, QStringLiteral("Waiting")},
            {{"SendTableStatus", QStringLiteral("受信済")}, QStringLiteral("Received")},
            {{"SendTableStatus", QStringLiteral("停止")}, QStringLiteral("Halt")},
            {{"SendTableStatus", QStringLiteral("ｽﾃｯﾌﾟ停止")}, QStringLiteral("Step stop")}};
        const auto found = kWords.find({context, QString::fromUtf8(source)});
        return found == kWords.end() ? QString() : found->second;
    }
    bool isEmpty() const override { return false; }
};

class TranslatedCellsTest : public SendGridTest {
protected:
    TranslatedCellsTest() { QCoreApplication::installTranslator(&m_english); }
    ~TranslatedCellsTest() override { QCoreApplication::removeTranslator(&m_english); }

    QString shown(int row, int column)
    {
        return grid.GetCellModel().data(grid.GetCellModel().IndexOfRow(row, column)).toString();
    }
    CGridEditorComboBox* openWaitEditor(int row)
    {
        click(labelPoint(row, Col::kWaitColumn));
        click(labelPoint(row, Col::kWaitColumn));
        return qobject_cast<CGridEditorComboBox*>(grid.GetEditor());
    }

    TableWordsInEnglish m_english;
};

TEST_F(TranslatedCellsTest, TheTablesWordsAndTheRunsStatusShowTranslatedWhileTheCellsKeepThem)
{
    grid.SetCellText(4, Col::kWaitColumn, u"なし");
    EXPECT_EQ(shown(4, Col::kWaitColumn), QStringLiteral("None"));
    EXPECT_EQ(grid.GetCellText(4, Col::kWaitColumn), u"なし");
    EXPECT_EQ(table.ReadRowWaitKind(4), WaitKind::None);
    grid.SetCellText(4, Col::kSelectColumn, u"送信する");
    EXPECT_EQ(shown(4, Col::kSelectColumn), QStringLiteral("Send"));
    // The same word typed by the user into a row's text is the user's, and shows as typed.
    grid.SetCellText(4, Col::kDataColumn, u"なし");
    EXPECT_EQ(shown(4, Col::kDataColumn), QStringLiteral("なし"));

    // Each status the run writes into the select column, as the engine builds it from its
    // words, shows translated word by word.
    // The status as stored, and as shown.
    const std::pair<const char16_t*, const char*> cases[] = {
        {u"送信済", "Sent"},
        {u"送信済 受信待", "Sent Waiting"},
        {u"送信済 受信済", "Sent Received"},
        {u"送信済 停止", "Sent Halt"},
        {u"送信済 ｽﾃｯﾌﾟ停止", "Sent Step stop"},
        {u" 停止", " Halt"},
        {u" ｽﾃｯﾌﾟ停止", " Step stop"},
        {u" ", " "},
        {u"送信済 受信済 NG", "Sent Received NG"},
        {u"送信済 OK", "Sent OK"},
        // Not the table's words: shown as they stand.
        {u"送信済み", "送信済み"},
        {u"送信済 next", "送信済 next"},
    };
    for (const auto& [stored, translated] : cases) {
        table.SetRowStatus(5, stored);
        EXPECT_EQ(shown(5, Col::kSelectColumn), QString::fromUtf8(translated)) << translated;
        EXPECT_EQ(grid.GetCellText(5, Col::kSelectColumn), stored);
        EXPECT_EQ(table.ReadRowSendFlag(5), 1);
    }
    // The tooltip tells what the cell shows.
    table.SetRowStatus(5, u"送信済 受信待");
    EXPECT_EQ(grid.CellToolTipText(5, Col::kSelectColumn), QStringLiteral("Sent Waiting"));
}

TEST_F(TranslatedCellsTest, TheWaitEditorShowsTheTranslationAndWritesTheTablesWord)
{
    grid.SetCellText(7, Col::kWaitColumn, u"なし");
    CGridEditorComboBox* combo = openWaitEditor(7);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), QStringLiteral("None"));
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Enter);
    EXPECT_EQ(grid.GetCellText(7, Col::kWaitColumn), u"CR");
    settle();

    combo = openWaitEditor(7);
    ASSERT_NE(combo, nullptr);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(combo->currentText(), QStringLiteral("None"));
    QTest::keyClick(combo, Qt::Key_Enter);
    EXPECT_EQ(grid.GetCellText(7, Col::kWaitColumn), u"なし");
    EXPECT_EQ(table.ReadRowWaitKind(7), WaitKind::None);
}

} // namespace
} // namespace wirevane::test
