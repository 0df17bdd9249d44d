#pragma once

#include "core/cell_grid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wirevane {

// A cell grid in memory, for the headless runner and for tests. It keeps the focus, selection
// and scroll requests so a test can see what the table asked of its view.
class MemoryCellGrid final : public CellGrid {
public:
    static constexpr int kColumnCount = 8;

    int GetRowCount() const override { return static_cast<int>(m_rows.size()); }
    void AppendRow() override { m_rows.emplace_back(); }

    std::u16string GetCellText(int row, int column) const override;
    void SetCellText(int row, int column, std::u16string_view text) override;
    int GetCellImage(int row, int column) const override;
    void SetCellImage(int row, int column, int image) override;

    void TakeFocus() override { ++m_focusRequests; }
    void EnsureRowVisible(int row) override { m_visibleRow = row; }
    void ClearSelection() override { ++m_selectionClears; }
    void SetFocusRow(int row) override { m_focusRow = row; }
    void SetFocusColumn(int column) override { m_focusColumn = column; }
    void RedrawRow(int) override {}

    int64_t focusRequests() const { return m_focusRequests; }
    int visibleRow() const { return m_visibleRow; }
    int focusRow() const { return m_focusRow; }
    int focusColumn() const { return m_focusColumn; }
    int64_t selectionClears() const { return m_selectionClears; }

private:
    struct Cell {
        std::u16string text;
        int image = 0;
    };
    using Row = std::vector<Cell>;

    const Cell* find(int row, int column) const;
    Cell* find(int row, int column);

    std::vector<Row> m_rows;
    // Two a sent row in the runner, which may send for days: 64 bits.
    int64_t m_focusRequests = 0;
    int m_visibleRow = -1;
    int m_focusRow = -1;
    int m_focusColumn = -1;
    int64_t m_selectionClears = 0;
};

} // namespace wirevane
