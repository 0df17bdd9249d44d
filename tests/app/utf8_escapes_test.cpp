#include "app/command_ids.h"
#include "grid/escape_legend.h"
#include "grid/grid_list_ctrl_groups.h"
#include "main_window_rig.h"

#include <QComboBox>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace command;

const QString kNote = Utf8EscapeNote();

// Rows 0 and 3 are ticked and hold escapes, row 1 holds one but is not ticked, row 2 has none.
constexpr const char* kTable = "[DATA_INDEX0]\nSELECT=1\nDATA=AT\\r\n"
                               "[DATA_INDEX1]\nSELECT=0\nDATA=ATZ\\r\n"
                               "[DATA_INDEX2]\nSELECT=1\nDATA=ATI\n"
                               "[DATA_INDEX3]\nSELECT=1\nDATA=\\x41\n";

TEST(Utf8Escapes, CellsWithABackslashSayInUtf8ModeThatTheyAreSentAsWrittenOnceForTheTickedOnes)
{
    test::MainWindowRig rig;
    rig.WriteSettingsFile(kTable);
    CWirevaneDlg& window = rig.Start();
    CGridListCtrlGroups& grid = window.grid();
    EXPECT_EQ(grid.CellToolTipText(0, SendTable::kDataColumn), QStringLiteral("AT\\r"));
    EXPECT_TRUE(grid.CellRemarkOf(0, SendTable::kDataColumn).mark.isEmpty());

    // The encoding box, as the user picks UTF-8 in it.
    auto* encoding = window.findChild<QComboBox*>(QString::number(kEncodingCombo));
    ASSERT_NE(encoding, nullptr);
    encoding->setFocus();
    QTest::keyClick(encoding, Qt::Key_Down);
    ASSERT_EQ(window.run().encoding, TextEncoding::Utf8);

    for (int row : {0, 1, 3}) {
        EXPECT_EQ(grid.CellRemarkOf(row, SendTable::kDataColumn).note, kNote) << row;
        EXPECT_FALSE(grid.CellRemarkOf(row, SendTable::kDataColumn).mark.isEmpty()) << row;
    }
    EXPECT_TRUE(grid.CellRemarkOf(2, SendTable::kDataColumn).mark.isEmpty());
    EXPECT_TRUE(grid.CellRemarkOf(0, SendTable::kSelectColumn).mark.isEmpty());
    EXPECT_EQ(grid.CellToolTipText(0, SendTable::kDataColumn), QStringLiteral("AT\\r\n") + kNote);
    // Said once, on the switch, counting the ticked rows only.
    EXPECT_EQ(window.statusBar()->currentMessage(), kNote + QStringLiteral(" (選択中の 2 行)"));

    window.statusBar()->clearMessage();
    window.Trigger(kUtf8Item);
    EXPECT_EQ(window.statusBar()->currentMessage(), QString()) << "no switch, no message";

    window.Trigger(kSjisItem);
    EXPECT_TRUE(grid.CellRemarkOf(0, SendTable::kDataColumn).mark.isEmpty());
    window.Trigger(kUtf8Item);
    EXPECT_EQ(window.statusBar()->currentMessage(), kNote + QStringLiteral(" (選択中の 2 行)"));

    // No message when no ticked row holds an escape.
    rig.Stop();
    rig.WriteSettingsFile(
        "[DATA_INDEX0]\nSELECT=0\nDATA=AT\\r\n[DATA_INDEX1]\nSELECT=1\nDATA=AT\n");
    CWirevaneDlg& again = rig.Start();
    again.Trigger(kUtf8Item);
    EXPECT_EQ(again.statusBar()->currentMessage(), QString());
    EXPECT_FALSE(again.grid().CellRemarkOf(0, SendTable::kDataColumn).mark.isEmpty());
}

} // namespace
} // namespace wirevane
