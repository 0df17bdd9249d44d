#include "chart/chart_window.h"
#include "chart/plot_widget.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

using namespace wirevane;

namespace {

constexpr int64_t kStart = 1'700'000'000'000;
constexpr std::size_t kPoints = 1'000'000;

// A meter at 10 readings a second for a little under 28 hours: a slow sine with noise, the
// shape that makes every column's min and max differ.
void Fill(ChartWindow& window, std::size_t points)
{
    Measurement m;
    m.series = "meter";
    m.unit = "V";
    m.mode = MeasureMode::Dc;
    for (std::size_t i = 0; i < points; ++i) {
        m.time = std::chrono::system_clock::time_point(
            std::chrono::milliseconds(kStart + int64_t(i) * 100));
        m.value = std::sin(double(i) * 1e-4) * 10 + double(i % 7) * 0.1;
        window.AddMeasurement(m);
    }
}

// One paint of the whole chart, with the span "all", into an image of the window's plot size.
void DrawMillionPoints(benchmark::State& state)
{
    ChartWindow window([] { return std::filesystem::path("."); });
    Fill(window, kPoints);
    window.findChild<QAction*>(QStringLiteral("span-all"))->trigger();
    QImage image(QSize(1280, 720), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        window.plot().Paint(painter, image.size());
    }
    const std::size_t held = window.model().series()[0]->ring.size();
    state.counters["points"] = double(held);
    state.counters["MiB_held"] = double(held * sizeof(chart::ChartPoint)) / (1024.0 * 1024.0);
}
BENCHMARK(DrawMillionPoints)->Unit(benchmark::kMillisecond);

// Eight series full (8 Mi points each, 1 GiB), the span "all", the window shown, while a device
// prints a line of eight numbers every millisecond for ten seconds: how many of those lines the
// window's thread takes a second (1,000 when painting leaves it time), and its longest stall.
void LinesTakenBesideAFullChart(benchmark::State& state)
{
    constexpr int kSeries = 8;
    ChartWindow window([] { return std::filesystem::path("."); });
    Measurement m;
    m.unit = "V";
    std::string names[kSeries];
    for (int s = 0; s < kSeries; ++s)
        names[s] = std::to_string(s + 1);
    int64_t timeMs = kStart;
    auto addLine = [&] {
        m.time = std::chrono::system_clock::time_point(std::chrono::milliseconds(++timeMs));
        for (int s = 0; s < kSeries; ++s) {
            m.series = names[s];
            m.value = std::sin(double(timeMs) * 1e-4 + s) * 10 + double(timeMs % 7) * 0.1;
            window.AddMeasurement(m);
        }
    };
    for (std::size_t i = 0; i < window.model().pointsPerSeries(); ++i)
        addLine();
    window.findChild<QAction*>(QStringLiteral("span-all"))->trigger();
    window.show();

    for (auto _ : state) {
        int lines = 0;
        int64_t longestNs = 0;
        QElapsedTimer wall;
        QElapsedTimer sinceLine;
        QTimer device;
        device.setInterval(1);
        QObject::connect(&device, &QTimer::timeout, [&] {
            longestNs = std::max<int64_t>(longestNs, sinceLine.nsecsElapsed());
            sinceLine.start();
            addLine();
            ++lines;
        });
        wall.start();
        sinceLine.start();
        device.start();
        while (wall.elapsed() < 10'000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        device.stop();
        state.counters["lines_per_s"] = lines / (double(wall.nsecsElapsed()) * 1e-9);
        state.counters["longest_stall_ms"] = double(longestNs) * 1e-6;
    }
}
BENCHMARK(LinesTakenBesideAFullChart)->Iterations(1)->Unit(benchmark::kMillisecond);

// A chart of one full series (8 Mi points), the span "all", shown: what moving the mouse over it
// costs, the readout's search and the paint that shows the mark.
void HoverOverAFullChart(benchmark::State& state)
{
    ChartWindow window([] { return std::filesystem::path("."); });
    Fill(window, window.model().pointsPerSeries());
    window.findChild<QAction*>(QStringLiteral("span-all"))->trigger();
    window.show();
    QCoreApplication::processEvents();
    PlotWidget& plot = window.plot();
    int x = 100;
    for (auto _ : state) {
        x = x >= plot.width() - 100 ? 100 : x + 7;
        QTest::mouseMove(&plot, QPoint(x, plot.height() / 2));
        QCoreApplication::processEvents();
    }
}
BENCHMARK(HoverOverAFullChart)->Unit(benchmark::kMillisecond);

// Taking a reading: what a flood of lines costs the chart before it is drawn.
void AddReading(benchmark::State& state)
{
    ChartWindow window([] { return std::filesystem::path("."); });
    Measurement m;
    m.series = "1";
    int64_t i = 0;
    for (auto _ : state) {
        m.time = std::chrono::system_clock::time_point(std::chrono::milliseconds(kStart + ++i));
        m.value = double(i % 1000);
        window.AddMeasurement(m);
    }
}
BENCHMARK(AddReading);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
