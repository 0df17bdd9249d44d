#include "core/memory_cell_grid.h"

namespace wirevane {

const MemoryCellGrid::Cell* MemoryCellGrid::find(int row, int column) const
{
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= kColumnCount)
        return nullptr;
    const Row& cells = m_rows[static_cast<std::size_t>(row)];
    return cells.empty() ? nullptr : &cells[static_cast<std::size_t>(column)];
}

MemoryCellGrid::Cell* MemoryCellGrid::find(int row, int column)
{
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= kColumnCount)
        return nullptr;
    Row& cells = m_rows[static_cast<std::size_t>(row)];
    if (cells.empty())
        cells.resize(kColumnCount);
    return &cells[static_cast<std::size_t>(column)];
}

std::u16string MemoryCellGrid::GetCellText(int row, int column) const
{
    const Cell* cell = find(row, column);
    return cell ? cell->text : std::u16string();
}

void MemoryCellGrid::SetCellText(int row, int column, std::u16string_view text)
{
    if (Cell* cell = find(row, column))
        cell->text = text;
}

int MemoryCellGrid::GetCellImage(int row, int column) const
{
    const Cell* cell = find(row, column);
    return cell ? cell->image : 0;
}

void MemoryCellGrid::SetCellImage(int row, int column, int image)
{
    if (Cell* cell = find(row, column))
        cell->image = image;
}

} // namespace wirevane
