#include "grid/grid_editor_combo_box.h"
#include "send_grid_fixture.h"

#include <QTranslator>

namespace wirevane::test {
namespace {

using Col = SendTable::Column;

// The send table's own words in English, as the program's translation gives them.
class TableWordsInEnglish final : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, "SendTableColumns") != 0)
            return {};
        if (QString::fromUtf8(source) == QStringLiteral("なし"))
            return QStringLiteral("None");
        if (QString::fromUtf8(source) == QStringLiteral("送信する"))
            return QStringLiteral("Send");
        return {};
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
    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    TableWordsInEnglish m_english;
};

TEST_F(TranslatedCellsTest, TheTablesWordsShowTranslatedWhileTheCellsKeepThem)
{
    grid.SetCellText(4, Col::kWaitColumn, u"なし");
    EXPECT_EQ(shown(4, Col::kWaitColumn), QStringLiteral("None"));
    EXPECT_EQ(grid.GetCellText(4, Col::kWaitColumn), u"なし");
    EXPECT_EQ(table.ReadRowWaitKind(4), 0);
    grid.SetCellText(4, Col::kSelectColumn, u"送信する");
    EXPECT_EQ(shown(4, Col::kSelectColumn), QStringLiteral("Send"));
    // The same word typed by the user into a row's text is the user's, and shows as typed.
    grid.SetCellText(4, Col::kDataColumn, u"なし");
    EXPECT_EQ(shown(4, Col::kDataColumn), QStringLiteral("なし"));
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
    EXPECT_EQ(table.ReadRowWaitKind(7), 0);
    settle();
}

} // namespace
} // namespace wirevane::test
