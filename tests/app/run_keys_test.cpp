#include "app/command_ids.h"
#include "grid/grid_list_ctrl_groups.h"
#include "main_window_rig.h"
#include "support/widgets/run_until.h"

#include <QTest>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace command;
using test::MainWindowRig;
using test::RunUntil;

class RunKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.table().rows()[0] = SendRow{1, u"A", WaitKind::None, 0, 60000};
        window.table().rows()[1] = SendRow{1, u"B", WaitKind::None, 0, 0};
        window.table().RewriteFromRows();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        window.grid().setFocus();
        ASSERT_EQ(QApplication::focusWidget(), &window.grid());
    }

    int Marker(int row)
    {
        return window.table().grid().GetCellImage(row, SendTable::kNumberColumn);
    }

    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
};

// F5 sends, Shift+F5 stops and Ctrl+F5 resets from the table, as their toolbar buttons do; F5
// during a run does nothing, since Send is disabled then.
TEST_F(RunKeys, SendStopAndResetHaveKeysThatFollowTheRunRuleButNotWhileACellIsEdited)
{
    QTest::keyClick(&window.grid(), Qt::Key_F5);
    EXPECT_TRUE(window.run().running);
    ASSERT_TRUE(RunUntil([&] { return Marker(0) == kRowImageSent; }));

    // Were Send taken again, row 1 would follow at once instead of after row 0's minute.
    QTest::keyClick(&window.grid(), Qt::Key_F5);
    QTest::qWait(50);
    EXPECT_EQ(Marker(1), kRowImageNone);

    QTest::keyClick(&window.grid(), Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_FALSE(window.run().running);
    EXPECT_EQ(Marker(0), kRowImageSent);

    QTest::keyClick(&window.grid(), Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(Marker(0), kRowImageNone);
    EXPECT_EQ(window.run().currentRow, 0);

    // While a cell is being edited the keys belong to the editor: no run starts, stops or resets,
    // and the edit goes on.
    for (const int column : {SendTable::kDataColumn, SendTable::kDelayColumn}) {
        // Where a reset would start over.
        window.run().currentRow = 1;
        ASSERT_TRUE(window.grid().StartCellEdit(1, column));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_EQ(editor, window.grid().GetEditor());
        for (const Qt::KeyboardModifier modifier :
             {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier}) {
            SCOPED_TRACE(testing::Message() << "column " << column << " modifier " << modifier);
            QTest::keyClick(editor, Qt::Key_F5, modifier);
            EXPECT_FALSE(window.run().running);
            EXPECT_EQ(window.run().currentRow, 1);
            EXPECT_EQ(window.grid().GetEditor(), editor);
        }
        QTest::keyClick(editor, Qt::Key_Escape);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::keyClick(&window.grid(), Qt::Key_F5);
    EXPECT_TRUE(window.run().running) << "once the edit has ended, F5 sends";
}

} // namespace
} // namespace wirevane
