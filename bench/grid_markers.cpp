#include "core/run_state.h"
#include "core/send_table.h"
#include "grid/send_table_columns.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using wirevane::CGridListCtrlGroups;
using wirevane::RowImage;
using wirevane::RunState;
using wirevane::SendTable;

// Building the send table's grid and filling its 100 rows × 7 cells, as start-up does.
void BM_FillTable(benchmark::State& state)
{
    for (auto _ : state) {
        CGridListCtrlGroups grid;
        wirevane::SetUpSendTableColumns(grid);
        RunState run;
        SendTable table(grid, run);
        table.FillAtStartup();
        benchmark::DoNotOptimize(grid.GetCellText(99, SendTable::kDelayColumn));
    }
}
BENCHMARK(BM_FillTable)->Unit(benchmark::kMillisecond);

// One run step's marking of a row: its marker and its status text, then the row repainted.
// With range(0) = 1 the whole visible list is repainted instead of the row alone.
void BM_MarkerUpdate(benchmark::State& state)
{
    CGridListCtrlGroups grid;
    wirevane::SetUpSendTableColumns(grid);
    RunState run;
    SendTable table(grid, run);
    table.FillAtStartup();
    grid.resize(620, 560);
    grid.show();
    QApplication::processEvents();
    const bool wholeList = state.range(0) != 0;
    int step = 0;
    for (auto _ : state) {
        const int row = step % 20;
        const auto image = static_cast<RowImage>(1 + step % 4);
        table.SetRowImage(row, image);
        table.SetRowStatus(row, step % 2 ? u"送信する" : u" ");
        if (wholeList) {
            grid.viewport()->repaint();
        } else {
            const QRect cell = grid.Geometry().CellRect(row, SendTable::kNumberColumn);
            grid.viewport()->repaint(0, cell.top(), grid.viewport()->width(), cell.height());
        }
        ++step;
    }
}
BENCHMARK(BM_MarkerUpdate)->Arg(0)->Arg(1)->Iterations(1000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
