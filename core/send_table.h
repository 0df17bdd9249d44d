#pragma once

#include "core/cell_grid.h"
#include "core/run_state.h"
#include "core/wait_kind.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wirevane {

// The status icon of a row in the "No." column.
enum RowImage : int32_t {
    kRowImageNone = 0,
    kRowImageSent = 1,
    kRowImageWaiting = 2,
    kRowImageStepStop = 3,
    kRowImageHalt = 4,
    kRowImagePass = 5,
    kRowImageFail = 6,
};

// The images of a check cell, shown beside its text.
enum CheckImage : int32_t {
    kUntickedImage = 0,
    kTickedImage = 1,
};

struct SendRow {
    int32_t sendFlag = 0;
    std::u16string data;
    WaitKind waitKind = WaitKind::None;
    int32_t halt = 0;
    int32_t delay = 100;
    std::u16string expect{}; // the expected answer; empty checks nothing
};

// The cells that say how a row ends once its answer has come.
struct RowEnding {
    int32_t sendFlag = 0;
    WaitKind waitKind = WaitKind::None;
    int32_t halt = 0;
    int32_t delay = 100;
};

// The ticked text of the send column: "送信する" in detail display, otherwise one blank.
std::u16string SendCheckText(bool detailView);

// A check cell holds its state twice, as text (empty or the ticked text) and as an image.
void SetCheckCell(CellGrid& grid, int row, int column, bool ticked,
                  std::u16string_view tickedText = u" ");

// The fixed table of 100 send rows over a cell grid. The grid's cells are the authoritative copy;
// each read operation reads one cell, stores the value in the row's copy and returns it.
class SendTable {
public:
    static constexpr int kRowCount = 100;
    enum Column : int {
        kLabelColumn = 0,
        kSelectColumn = 1,
        kNumberColumn = 2,
        kDataColumn = 3,
        kWaitColumn = 4,
        kHaltColumn = 5,
        kDelayColumn = 6,
        kExpectColumn = 7,
    };

    SendTable(CellGrid& grid, RunState& run);

    std::array<SendRow, kRowCount>& rows() { return m_rows; }
    const std::array<SendRow, kRowCount>& rows() const { return m_rows; }
    CellGrid& grid() { return m_grid; }

    int32_t ReadRowSendFlag(int row);
    std::u16string ReadRowSendData(int row);
    WaitKind ReadRowWaitKind(int row); // also sets the run's matchByte
    int32_t ReadRowHalt(int row);
    int32_t ReadRowDelay(int row);
    std::u16string ReadRowExpect(int row);
    // All six cells of the row, each read once as its own read operation reads it.
    SendRow ReadRow(int row);
    // The tick, wait, halt and delay cells, read as ReadRow reads them.
    RowEnding ReadRowEnding(int row);

    std::optional<int> FindNextTicked(int start) const;
    void SetRowStatus(int row, std::u16string_view text);
    std::u16string GetRowStatus(int row) const;
    void SetRowImage(int row, RowImage image);
    void ClearMarkers();
    void ShowCurrentRow(int row);

    // Start-up: appends the 100 rows to an empty grid and fills them from the row copies.
    void FillAtStartup();
    // After a settings load: rewrites the cells of the existing 100 rows from the row copies.
    void RewriteFromRows();

private:
    CellGrid& m_grid;
    RunState& m_run;
    std::array<SendRow, kRowCount> m_rows{};
};

} // namespace wirevane
