#pragma once

#include "core/run_state.h"
#include "core/send_table.h"
#include "fakes/recording_grid.h"
#include "grid/send_table_columns.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace wirevane::test {

// The send table as the main window builds it: columns set up, 100 rows filled by the table,
// shown in an active window so focus changes really happen. The model is watched by Qt's model
// tester from before the first change.
class SendGridTest : public ::testing::Test {
protected:
    SendGridTest()
    {
        new QAbstractItemModelTester(&grid.GetCellModel(),
                                     QAbstractItemModelTester::FailureReportingMode::Fatal, &grid);
        SetUpSendTableColumns(grid);
        table.FillAtStartup();
        grid.resize(700, 520);
        grid.show();
        grid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
    }
    // Editors end with a deferred delete; it runs before the grid goes, so nothing is left over.
    ~SendGridTest() override { settle(); }

    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QWidget* viewport() { return grid.viewport(); }
    QPoint iconPoint(int row, int column) { return grid.Geometry().IconRect(row, column).center(); }
    QPoint labelPoint(int row, int column)
    {
        return grid.Geometry().LabelRect(row, column).center();
    }
    void click(QPoint point, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(viewport(), Qt::LeftButton, modifiers, point);
    }
    // A tooltip request at a point of the widget, as the pointer resting there sends it.
    void hover(QWidget* widget, QPoint at)
    {
        QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &help);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    }
    // Each row's check cell in the column: "x" ticked, "-" unticked, "?" neither.
    std::string checks(int column, std::initializer_list<int> rows)
    {
        std::string marks;
        for (int row : rows) {
            const std::u16string text = grid.GetCellText(row, column);
            const int image = grid.GetCellImage(row, column);
            marks += text == u" " && image == 1 ? 'x' : text.empty() && image == 0 ? '-' : '?';
        }
        return marks;
    }

    RunState run;
    RecordingGrid grid;
    SendTable table{grid, run};
};

} // namespace wirevane::test
