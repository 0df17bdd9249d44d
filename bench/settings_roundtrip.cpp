#include "persistence/settings_file.h"
#include "support/settings_rig.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace wirevane;

namespace {

// 200 characters of what a send row holds: commands, escapes and Japanese text, all of which
// code page 932 can hold, so the file stays in the native form.
std::u16string RowText(int row)
{
    const std::u16string pieces[] = {u"AT+CMD=",      u"測定開始 ", u"\\x0D\\x0A", u"ｽﾃｰﾀｽ ",
                                     u"温度センサー", u" 0123 ",    u"$ESC",       u"再試行　"};
    std::u16string text = u"行" + std::u16string(1, static_cast<char16_t>(u'0' + row % 10));
    for (int i = row; text.size() < 200; ++i) {
        text += pieces[i % 8];
    }
    text.resize(200);
    return text;
}

// What a Wirevane.ini holds besides the table: the port, three windows and the column layout
// with its two profiles.
std::string OtherSections()
{
    return "[SERIAL]\r\nPORT=\\\\.\\COM3\r\nBAUD=115200\r\nDATA=8\r\nSTOP=0\r\nPARITY=0\r\n"
           "HNDSHK=0\r\n"
           "[WINDOW_MAIN]\r\nNORM_LEFT=100\r\nNORM_TOP=80\r\nNORM_RIGHT=900\r\nNORM_BOTTOM=700\r\n"
           "[WINDOW_TERMINAL]\r\nVISIBLE=1\r\nNORM_LEFT=148\r\nNORM_TOP=56\r\nNORM_RIGHT=748\r\n"
           "NORM_BOTTOM=456\r\n"
           "[WINDOW_BUTTON_ARRAY]\r\nVISIBLE=1\r\nNORM_LEFT=196\r\nNORM_TOP=32\r\n"
           "NORM_RIGHT=596\r\nNORM_BOTTOM=332\r\n"
           "[Profile ListTX]\r\nCurrentProfiles=\x83\x66\x83\x74\x83\x48\x83\x8b\x83\x67, "
           "\x83\x4a\x83\x58\x83\x5e\x83\x80\r\nActiveProfile=\x83\x66\x83\x74\x83\x48\x83\x8b"
           "\x83\x67\r\n"
           "[Profile ListTX__\x83\x66\x83\x74\x83\x48\x83\x8b\x83\x67]\r\nColumnCount=6\r\n"
           "ColumnData_0=0\r\nColumnWidth_0=42\r\nColumnData_1=1\r\nColumnWidth_1=50\r\n"
           "ColumnData_2=2\r\nColumnWidth_2=240\r\nColumnData_3=3\r\nColumnWidth_3=60\r\n"
           "ColumnData_4=4\r\nColumnWidth_4=42\r\nColumnData_5=5\r\nColumnWidth_5=80\r\n";
}

struct FullTable : test::SettingsRig {
    FullTable()
    {
        std::ofstream(dir / "Wirevane.ini", std::ios::binary) << OtherSections();
        for (int i = 0; i < SendTable::kRowCount; ++i) {
            SendRow& row = table.rows()[i];
            row.sendFlag = i % 2;
            row.data = RowText(i);
            row.waitKind = kWaitKinds[i % 4];
            row.delay = 10 * i;
        }
        table.FillAtStartup();
    }
};

void BM_WriteSettings(benchmark::State& state)
{
    FullTable full;
    for (auto _ : state) {
        if (!full.settings.WriteSettings().ok()) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.counters["file_writes_per_save"] =
        benchmark::Counter(full.files.replaceCount, benchmark::Counter::kAvgIterations);
    state.counters["file_bytes"] =
        static_cast<double>(std::filesystem::file_size(full.dir / "Wirevane.ini"));
}

void BM_ReadSettings(benchmark::State& state)
{
    FullTable full;
    if (!full.settings.WriteSettings().ok()) {
        state.SkipWithError("the save failed");
        return;
    }
    for (auto _ : state) {
        full.settings.ReadSettings();
        benchmark::DoNotOptimize(full.table.rows()[99].data.size());
    }
    if (full.table.rows()[99].data != RowText(99)) {
        state.SkipWithError("the load did not give back the table");
    }
}

void BM_LoadSettingsFile(benchmark::State& state)
{
    FullTable full;
    if (!full.settings.WriteSettings().ok()) {
        state.SkipWithError("the save failed");
        return;
    }
    for (auto _ : state) {
        full.settings.LoadSettingsFile();
        benchmark::DoNotOptimize(full.grid.GetCellText(99, SendTable::kDataColumn).size());
    }
}

// Files that no save of the program makes but a user, a script or a broken disk can leave: each
// holds the whole table and far more that the program does not use and must keep.
std::string ExtraSections()
{
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        text += "[EXTRA_" + std::to_string(i) + "]\r\nKEY=value\r\n";
    }
    return text;
}

std::string KeysInOneRow()
{
    std::string text = "[DATA_INDEX42]\r\n";
    for (int i = 0; i < 100000; ++i) {
        text += "KEY_" + std::to_string(i) + "=value\r\n";
    }
    return text;
}

std::string RowsBeyondTheTable()
{
    std::string text;
    for (int i = 100; text.size() < 1000000; ++i) {
        text += "[DATA_INDEX" + std::to_string(i) +
                "]\r\nSELECT=1\r\nDATA=row beyond the table\r\nWAIT_RX=0\r\nHALT=0\r\n"
                "DELAY=100\r\n";
    }
    return text;
}

// One load (read and table rewrite) and one save of the file, as opening it and saving it again
// does.
void BM_HostileFileLoadAndSave(benchmark::State& state, std::string (*extra)())
{
    FullTable full;
    if (!full.settings.WriteSettings().ok()) {
        state.SkipWithError("the save failed");
        return;
    }
    {
        std::ofstream(full.dir / "Wirevane.ini", std::ios::binary | std::ios::app) << extra();
    }
    const auto bytesBefore = std::filesystem::file_size(full.dir / "Wirevane.ini");
    for (auto _ : state) {
        if (!full.settings.LoadSettingsFile().ok() || !full.settings.WriteSettings().ok()) {
            state.SkipWithError("the load or the save failed");
            break;
        }
    }
    if (full.table.rows()[99].data != RowText(99) ||
        std::filesystem::file_size(full.dir / "Wirevane.ini") != bytesBefore) {
        state.SkipWithError("the round trip changed the file");
    }
    state.counters["file_bytes"] = static_cast<double>(bytesBefore);
}

BENCHMARK_CAPTURE(BM_HostileFileLoadAndSave, extra_sections_100000, ExtraSections)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_HostileFileLoadAndSave, keys_in_one_row_100000, KeysInOneRow)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_HostileFileLoadAndSave, rows_beyond_99_1MB, RowsBeyondTheTable)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK(BM_WriteSettings)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();
BENCHMARK(BM_ReadSettings)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly();
BENCHMARK(BM_LoadSettingsFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

} // namespace

BENCHMARK_MAIN();
