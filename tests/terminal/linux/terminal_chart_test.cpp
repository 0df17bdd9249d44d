#include "chart/chart_window.h"
#include "grid/menu_actions.h"
#include "support/pty_pair.h"
#include "support/widgets/run_until.h"
#include "terminal/terminal_ids.h"
#include "terminal/terminal_rig.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using test::RunUntil;

// Opens the menu of the title on the window's menu bar and clicks its item, as a user does.
void ClickMenuItem(QMainWindow& window, const QString& title, const char* item)
{
    QMenuBar* bar = window.menuBar();
    QAction* menu = test::FindAction(*bar, title);
    ASSERT_NE(menu, nullptr) << title.toStdString();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu).center());
    ASSERT_TRUE(RunUntil([&] { return menu->menu()->isVisible(); }));
    QAction* action = window.findChild<QAction*>(QString::fromLatin1(item));
    ASSERT_NE(action, nullptr) << item;
    QTest::mouseClick(menu->menu(), Qt::LeftButton, {},
                      menu->menu()->actionGeometry(action).center());
}

class TerminalChart : public ::testing::Test {
protected:
    TerminalChart()
    {
        rig.terminal().show();
        rig.port().SetDeviceName(device.slavePathU16());
        EXPECT_TRUE(rig.connection().OpenSelected());
    }
    ChartWindow& Chart() { return rig.terminal().chart(); }
    const chart::ChartSeries* Series(const char* key) { return Chart().model().Find(key); }

    test::TerminalRig rig;
    test::PtyPair device;
};

// The receive combo's index, what the device sends, and each series with its last value.
using LinesCase = std::tuple<int, const char*, std::vector<std::pair<const char*, double>>>;

class NumbersFromLines : public TerminalChart, public ::testing::WithParamInterface<LinesCase> {};

// The chart opens from View › Chart; with the mode on, each line the receive conversion ends
// gives its numbers, and the rest of a line waits for its end.
TEST_P(NumbersFromLines, EachEndedLineGivesItsNumbersToTheChart)
{
    const auto& [conversion, sent, last] = GetParam();
    ClickMenuItem(rig.terminal(), QStringLiteral("表示"), "chart");
    ASSERT_TRUE(RunUntil([&] { return Chart().isVisible(); }));
    ClickMenuItem(rig.terminal(), QStringLiteral("表示"), "numbers-from-lines");
    ASSERT_TRUE(rig.terminal().numbersFromLines());
    rig.terminal()
        .findChild<QComboBox*>(QString::number(terminal::kReceiveConversionCombo))
        ->setCurrentIndex(conversion);

    device.WriteMaster(sent);
    device.WriteMaster("99 unended");
    ASSERT_TRUE(
        RunUntil([&] { return rig.terminal().edit().LineFormText().ends_with(u"unended"); }));
    ASSERT_EQ(Chart().model().series().size(), last.size());
    for (const auto& [key, value] : last) {
        ASSERT_NE(Series(key), nullptr) << key;
        EXPECT_EQ(Series(key)->all.last, value) << key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, NumbersFromLines,
    ::testing::Values(
        LinesCase{0, "temp:21.4 hum=48\r\nno numbers\r\n", {{"temp", 21.4}, {"hum", 48}}},
        LinesCase{1, "1.0, 2.0, 3.0\r12.5\r", {{"1", 12.5}, {"2", 2.0}, {"3", 3.0}}},
        LinesCase{2, "7\n-8.5\n", {{"1", -8.5}}}));

// In tester mode the meter's readings come to the chart from the receive handler, the line
// mode aside: the dump lines of the frames give no numbers.
TEST_F(TerminalChart, TesterReadingsReachTheChartInSIUnits)
{
    rig.terminal().SetNumbersFromLines(true);
    rig.terminal().findChild<QAction*>(QString::number(terminal::kTesterMode))->trigger();
    device.WriteMaster("\x14\x27\x3D\x42\x57\x69\x75\x80\x95\xA2\xB0\xC4\xD0\xE0");
    ASSERT_TRUE(RunUntil([&] { return !Chart().model().series().empty(); }));
    ASSERT_EQ(Chart().model().series().size(), 1u);
    const chart::ChartSeries& meter = *Chart().model().series()[0];
    EXPECT_EQ(meter.name, "meter");
    EXPECT_DOUBLE_EQ(meter.all.last, 4710.0);
    EXPECT_EQ(meter.mode, MeasureMode::Dc);
}

} // namespace
} // namespace wirevane
