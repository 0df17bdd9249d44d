#pragma once

#include "core/send_table.h"

#include <cstdint>
#include <string>

namespace wirevane {

// The main window's commands that rewrite the send table's cells. They only touch cells: the
// caller resets the run first and guards the companion windows around any dialog it opens.

// What the new-table dialog asked for; every row gets the same values.
struct NewTableValues {
    std::u16string data;
    WaitKind waitRx = WaitKind::None;
    int32_t halt = 0;
    int32_t delayMs = 100;
    std::u16string expect;
};

// Rewrites all 100 rows with the given values, unticked for sending, numbered 0..99. The send
// data and the expected answer go into the cells as typed.
void NewTable(SendTable& table, const NewTableValues& values);

// Ticks for sending every row whose send data is not empty, reading that data through the table
// so its row copy is refreshed. Rows without data keep their cells.
void SelectAll(SendTable& table, bool detailView);

// Unticks every row, whatever its data.
void DeselectAll(SendTable& table);

// What the bulk-change dialog asked for: each flag says whether its value is applied.
struct BulkChangeValues {
    bool changeData = false;
    bool changeWaitRx = false;
    bool changeHalt = false;
    bool changeDelay = false;
    std::u16string data;
    WaitKind waitRx = WaitKind::None;
    int32_t halt = 0;
    int32_t delayMs = 100;
    bool changeExpect = false;
    std::u16string expect;
};

// Applies the flagged values to the rows ticked for sending; the grid's highlight selection
// plays no part.
void BulkChange(SendTable& table, const BulkChangeValues& values);

} // namespace wirevane
