#include "chart/chart_window.h"
#include "chart/plot_widget.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>

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
