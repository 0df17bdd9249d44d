#include "chart/chart_window.h"
#include "chart/plot_widget.h"
#include "support/file_text.h"
#include "support/modal_helper.h"
#include "support/temp_dir.h"
#include "support/widgets/file_dialog_choice.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

constexpr int64_t kStart = 1'700'000'000'000; // ms since the epoch

Measurement Reading(int64_t ms, double value)
{
    const auto time = std::chrono::system_clock::time_point(std::chrono::milliseconds(kStart + ms));
    return {time, "meter", value, "V", MeasureMode::Dc, "DC " + std::to_string(value) + " V"};
}

class ChartWindowTest : public ::testing::Test {
protected:
    ChartWindowTest() : chart([this] { return dir.path(); })
    {
        chart.limitsChanged = [this](const std::string& text) { stored.push_back(text); };
        chart.show();
    }

    template <typename T> T* Find(const char* name)
    {
        return chart.findChild<T*>(QString::fromLatin1(name));
    }
    void Type(const char* field, const QString& text)
    {
        QLineEdit* edit = Find<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // Clicks the action's button on the window's toolbar.
    void Click(const char* action)
    {
        QWidget* button = Find<QToolBar>("chart-toolbar")->widgetForAction(Find<QAction>(action));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QString Stats()
    {
        chart.Refresh();
        return Find<QLabel>("stats")->text();
    }

    test::TempDir dir;
    ChartWindow chart;
    std::vector<std::string> stored;
};

// A paused view holds where it was while the readings are still kept; resuming follows them.
TEST_F(ChartWindowTest, PauseHoldsTheViewWhileReadingsAreKeptAndResumeFollowsThem)
{
    Click("span-1min");
    chart.AddMeasurement(Reading(0, 1.0));
    chart.AddMeasurement(Reading(30'000, 2.0));
    Click("pause");
    const chart::TimeRange held = *chart.plot().VisibleRange();
    chart.AddMeasurement(Reading(90'000, 3.0));
    EXPECT_EQ(chart.plot().VisibleRange()->toMs, held.toMs);
    EXPECT_EQ(chart.model().Find("meter [V]")->ring.size(), 3u);
    EXPECT_TRUE(Stats().contains(QStringLiteral("<td>3</td>"))) << "all three, in the whole";

    Click("pause");
    EXPECT_EQ(chart.plot().VisibleRange()->toMs, kStart + 90'000);
    EXPECT_EQ(chart.plot().VisibleRange()->fromMs, kStart + 30'000);
    Click("clear");
    EXPECT_TRUE(chart.model().series().empty());
    EXPECT_FALSE(chart.plot().VisibleRange());
}

// The mouse finds the reading nearest to it among those drawn, and a refresh brings the newest
// ones in: the plot keeps what it drew for the mouse's moves and makes it again on a refresh.
TEST_F(ChartWindowTest, TheMouseFindsTheNearestReadingAndARefreshBringsTheNewestIn)
{
    Click("span-all");
    chart.AddMeasurement(Reading(0, 1.0));
    chart.AddMeasurement(Reading(1000, 2.5));
    chart.Refresh();
    PlotWidget& plot = chart.plot();
    // Sent to the plot itself: a move of the system's cursor reaches it only where the window
    // system delivers one.
    const auto hover = [&plot](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, plot.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&plot, &move);
    };
    const QPoint end(plot.width() - 17, plot.height() / 2);
    hover(end);
    EXPECT_TRUE(plot.ReadoutText().contains(QStringLiteral("2.5")))
        << plot.ReadoutText().toStdString();

    chart.AddMeasurement(Reading(2000, 7.25));
    chart.Refresh();
    hover(end);
    EXPECT_TRUE(plot.ReadoutText().contains(QStringLiteral("7.25")))
        << plot.ReadoutText().toStdString();
}

// A series that first comes between two refreshes is not in what the plot last drew: a paint
// meanwhile (the mouse's, the window system's) draws what was drawn, and the refresh adds it.
TEST_F(ChartWindowTest, ASeriesNewSinceTheLastRefreshIsDrawnOnceItComes)
{
    chart.AddMeasurement(Reading(0, 1.0));
    chart.AddMeasurement(Reading(1000, 2.0));
    chart.Refresh();
    chart.plot().grab();
    Measurement other = Reading(500, 4.0);
    other.series = "other";
    chart.AddMeasurement(other);
    const QImage before = chart.plot().grab().toImage();
    chart.Refresh();
    EXPECT_NE(chart.plot().grab().toImage(), before);
}

// The low and high limits typed, whether they are taken, what the settings file then gets, and
// how many of the readings 1, 5, -2, 3 lie outside.
using LimitCase = std::tuple<const char*, const char*, bool, const char*, int>;

class ChartLimits : public ChartWindowTest, public ::testing::WithParamInterface<LimitCase> {};

// Typed limits count the readings outside them and go to the settings only when they changed;
// a limit that is not a number, or a high below the low, is refused and changes nothing.
TEST_P(ChartLimits, TypedLimitsAreCountedAndStoredOrRefused)
{
    const auto& [low, high, taken, storedText, outside] = GetParam();
    for (auto [t, v] : {std::pair{0, 1.0}, {1000, 5.0}, {2000, -2.0}, {3000, 3.0}})
        chart.AddMeasurement(Reading(t, v));
    chart.Refresh();
    ASSERT_EQ(Find<QComboBox>("limit-series")->currentText(), QStringLiteral("meter [V]"));
    Type("limit-low", QString::fromUtf8(low));
    Type("limit-high", QString::fromUtf8(high));
    QTest::mouseClick(Find<QPushButton>("limit-apply"), Qt::LeftButton);

    const chart::ChartSeries* meter = chart.model().Find("meter [V]");
    EXPECT_EQ(meter->outside, static_cast<uint64_t>(outside));
    EXPECT_EQ(stored, taken ? std::vector<std::string>{storedText} : std::vector<std::string>{});
    if (outside > 0) {
        EXPECT_TRUE(Stats().contains(QStringLiteral("color:#d32f2f"))) << "the last time, in red";
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, ChartLimits,
                         ::testing::Values(LimitCase{"0", "3", true, "meter [V],0,3", 2},
                                           LimitCase{"", "4.5", true, "meter [V],,4.5", 1},
                                           LimitCase{"-3", "", true, "meter [V],-3,", 0},
                                           LimitCase{"abc", "3", false, "", 0},
                                           LimitCase{"1", "nan", false, "", 0},
                                           LimitCase{"4", "2", false, "", 0},
                                           LimitCase{"", "", false, "", 0}));

TEST_F(ChartWindowTest, StoredLimitsWaitForTheirSeriesAndATypedRangeFixesTheScale)
{
    chart.SetStoredLimits("meter [V],0,3");
    chart.AddMeasurement(Reading(0, 7.0));
    EXPECT_EQ(chart.model().Find("meter [V]")->outside, 1u);

    QTest::keyClick(Find<QCheckBox>("autoscale"), Qt::Key_Space);
    Type("range-low", QStringLiteral("-10"));
    Type("range-high", QStringLiteral("10"));
    QTest::keyClick(Find<QLineEdit>("range-high"), Qt::Key_Return);
    ASSERT_TRUE(chart.plot().fixedRange());
    EXPECT_EQ(std::pair(chart.plot().fixedRange()->low, chart.plot().fixedRange()->high),
              std::pair(-10.0, 10.0));
    QTest::keyClick(Find<QCheckBox>("autoscale"), Qt::Key_Space);
    EXPECT_FALSE(chart.plot().fixedRange());
}

// Readings near the ends of the doubles draw their trace, and a typed scale finer than the
// doubles can divide at its size is taken and drawn.
TEST_F(ChartWindowTest, ExtremeReadingsAndAFineTypedScaleAreDrawn)
{
    // In the lower half, away from the legend's swatch of the same colour.
    const auto tracePixels = [this] {
        QImage image(400, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        chart.plot().Paint(painter, image.size());
        painter.end();
        int count = 0;
        for (int y = image.height() / 2; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == PlotWidget::SeriesColour(0);
        return count;
    };
    chart.AddMeasurement(Reading(0, -1e307));
    chart.AddMeasurement(Reading(1'000, 1e307));
    chart.AddMeasurement(Reading(2'000, 0));
    EXPECT_GT(tracePixels(), 0);

    QTest::keyClick(Find<QCheckBox>("autoscale"), Qt::Key_Space);
    Type("range-low", QStringLiteral("10000000000000000"));
    Type("range-high", QStringLiteral("10000000000000002"));
    QTest::keyClick(Find<QLineEdit>("range-high"), Qt::Key_Return);
    ASSERT_TRUE(chart.plot().fixedRange());
    EXPECT_GT(tracePixels(), 0) << "readings far outside the scale cross the plot";
}

// Recording writes the header and each reading as it comes, until stopped; saving writes what
// the chart holds.
TEST_F(ChartWindowTest, CsvRecordingWritesReadingsUntilStoppedAndSaveWritesWhatIsHeld)
{
    chart.AddMeasurement(Reading(0, 1.5));
    const std::filesystem::path recorded = dir / "recorded.csv";
    test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        test::ChooseFileInDialog(dialog, QString::fromStdU16String(recorded.u16string()));
    });
    Find<QAction>("csv-start")->trigger();
    ASSERT_TRUE(chart.IsRecordingCsv());
    EXPECT_FALSE(Find<QAction>("csv-start")->isEnabled());
    chart.AddMeasurement(Reading(1000, 2.5));
    chart.AddMeasurement(Reading(2000, 3.5));
    chart.StopCsv();
    chart.AddMeasurement(Reading(3000, 4.5));

    // Only the readings between the start and the stop, counted from the first of them.
    const auto first = Reading(1000, 2.5).time;
    EXPECT_EQ(test::FileText(recorded), CsvHeaderLine() + CsvLine(Reading(1000, 2.5), first) +
                                            CsvLine(Reading(2000, 3.5), first));

    ASSERT_EQ(chart.SaveCsvTo(dir / "saved.csv"), u"");
    const std::string saved = test::FileText(dir / "saved.csv");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 5) << saved;
}

} // namespace
} // namespace wirevane
