#include "commands/table_commands.h"

#include "core/decimal_text.h"

#include <string>
#include <string_view>

namespace wirevane {

namespace {

void SetHaltCell(CellGrid& grid, int row, int32_t halt)
{
    SetCheckCell(grid, row, SendTable::kHaltColumn, halt != 0);
}

} // namespace

void NewTable(SendTable& table, const NewTableValues& values)
{
    CellGrid& grid = table.grid();
    const std::u16string_view waitText = WaitKindName(values.waitRx);
    for (int row = 0; row < SendTable::kRowCount; ++row) {
        SetCheckCell(grid, row, SendTable::kSelectColumn, false, {});
        grid.SetCellText(row, SendTable::kNumberColumn, DecimalText(row));
        grid.SetCellText(row, SendTable::kDataColumn, values.data);
        grid.SetCellText(row, SendTable::kWaitColumn, waitText);
        SetHaltCell(grid, row, values.halt);
        grid.SetCellText(row, SendTable::kDelayColumn, DecimalText(values.delayMs));
        grid.SetCellText(row, SendTable::kExpectColumn, values.expect);
    }
}

void SelectAll(SendTable& table, bool detailView)
{
    const std::u16string ticked = SendCheckText(detailView);
    for (int row = 0; row < SendTable::kRowCount; ++row) {
        if (!table.ReadRowSendData(row).empty())
            SetCheckCell(table.grid(), row, SendTable::kSelectColumn, true, ticked);
    }
}

void DeselectAll(SendTable& table)
{
    for (int row = 0; row < SendTable::kRowCount; ++row)
        SetCheckCell(table.grid(), row, SendTable::kSelectColumn, false, {});
}

void BulkChange(SendTable& table, const BulkChangeValues& values)
{
    CellGrid& grid = table.grid();
    const std::u16string_view waitText = WaitKindName(values.waitRx);
    const std::u16string delayText = DecimalText(values.delayMs);
    for (int row = 0; row < SendTable::kRowCount; ++row) {
        if (grid.GetCellText(row, SendTable::kSelectColumn).empty())
            continue;
        if (values.changeData)
            grid.SetCellText(row, SendTable::kDataColumn, values.data);
        if (values.changeWaitRx)
            grid.SetCellText(row, SendTable::kWaitColumn, waitText);
        if (values.changeHalt)
            SetHaltCell(grid, row, values.halt);
        if (values.changeDelay)
            grid.SetCellText(row, SendTable::kDelayColumn, delayText);
        if (values.changeExpect)
            grid.SetCellText(row, SendTable::kExpectColumn, values.expect);
    }
}

} // namespace wirevane
