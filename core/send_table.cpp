#include "core/send_table.h"

#include "core/decimal_text.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <limits>
#include <string>

namespace wirevane {

namespace {

// Reads like strtol: leading blanks, one sign, digits up to the first other character. A number
// beyond the 32-bit range reads as the nearest end of it, so a long delay never turns into a
// short or negative one.
int32_t ParseDelay(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= 0x09 && text[i] <= 0x0D)))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // One past the largest magnitude keeps the sum bounded while the digits go on.
    constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<int64_t>(value * 10 + (text[i] - u'0'), kCap);
    return static_cast<int32_t>(std::clamp<int64_t>(negative ? -value : value,
                                                    std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

std::u16string SendCheckText(bool detailView)
{
    return detailView ? std::u16string(u"送信する") : std::u16string(u" ");
}

void SetCheckCell(CellGrid& grid, int row, int column, bool ticked, std::u16string_view tickedText)
{
    grid.SetCellText(row, column, ticked ? tickedText : std::u16string_view());
    grid.SetCellImage(row, column, ticked ? kTickedImage : kUntickedImage);
}

SendTable::SendTable(CellGrid& grid, RunState& run) : m_grid(grid), m_run(run) {}

int32_t SendTable::ReadRowSendFlag(int row)
{
    return m_rows[static_cast<std::size_t>(row)].sendFlag =
               m_grid.GetCellText(row, kSelectColumn).empty() ? 0 : 1;
}

std::u16string SendTable::ReadRowSendData(int row)
{
    m_grid.TakeFocus();
    return m_rows[static_cast<std::size_t>(row)].data = m_grid.GetCellText(row, kDataColumn);
}

WaitKind SendTable::ReadRowWaitKind(int row)
{
    m_grid.TakeFocus();
    const std::optional<WaitKind> named = WaitKindFromName(m_grid.GetCellText(row, kWaitColumn));
    const WaitKind kind = named.value_or(WaitKind::None);
    if (!named)
        m_grid.SetCellText(row, kWaitColumn, WaitKindName(kind));
    m_run.matchByte = MatchByte(kind);
    return m_rows[static_cast<std::size_t>(row)].waitKind = kind;
}

int32_t SendTable::ReadRowHalt(int row)
{
    return m_rows[static_cast<std::size_t>(row)].halt =
               m_grid.GetCellText(row, kHaltColumn).empty() ? 0 : 1;
}

// The delay was always read from the cell's code page 932 form. Blanks, signs and digits are the
// same bytes there, and no other character becomes one of them, so the text is read as it is;
// a text that code page 932 cannot carry still reads as 0.
int32_t SendTable::ReadRowDelay(int row)
{
    const std::u16string text = m_grid.GetCellText(row, kDelayColumn);
    const bool carried = !RowTextUnencodable(text, TextEncoding::Sjis).has_value();
    return m_rows[static_cast<std::size_t>(row)].delay = carried ? ParseDelay(text) : 0;
}

std::u16string SendTable::ReadRowExpect(int row)
{
    return m_rows[static_cast<std::size_t>(row)].expect = m_grid.GetCellText(row, kExpectColumn);
}

SendRow SendTable::ReadRow(int row)
{
    ReadRowSendData(row);
    ReadRowSendFlag(row);
    ReadRowWaitKind(row);
    ReadRowHalt(row);
    ReadRowDelay(row);
    ReadRowExpect(row);
    return m_rows[static_cast<std::size_t>(row)];
}

RowEnding SendTable::ReadRowEnding(int row)
{
    RowEnding ending;
    ending.sendFlag = ReadRowSendFlag(row);
    ending.waitKind = ReadRowWaitKind(row);
    ending.halt = ReadRowHalt(row);
    ending.delay = ReadRowDelay(row);
    return ending;
}

std::optional<int> SendTable::FindNextTicked(int start) const
{
    for (int row = start < 0 ? 0 : start; row < kRowCount; ++row) {
        if (!m_grid.GetCellText(row, kSelectColumn).empty())
            return row;
    }
    return std::nullopt;
}

void SendTable::SetRowStatus(int row, std::u16string_view text)
{
    m_grid.SetCellText(row, kSelectColumn, text);
}

std::u16string SendTable::GetRowStatus(int row) const
{
    return m_grid.GetCellText(row, kSelectColumn);
}

void SendTable::SetRowImage(int row, RowImage image)
{
    m_grid.SetCellImage(row, kNumberColumn, image);
}

void SendTable::ClearMarkers()
{
    const std::u16string ticked = SendCheckText(m_run.detailView);
    for (int row = 0; row < kRowCount; ++row) {
        if (!m_grid.GetCellText(row, kSelectColumn).empty())
            m_grid.SetCellText(row, kSelectColumn, ticked);
        m_grid.SetCellImage(row, kNumberColumn, kRowImageNone);
    }
}

void SendTable::ShowCurrentRow(int row)
{
    m_grid.FollowRow(row);
    m_grid.ClearSelection();
    m_grid.SetFocusRow(row);
    m_grid.SetFocusColumn(kNumberColumn);
    m_grid.RedrawRow(row);
}

void SendTable::FillAtStartup()
{
    for (int row = 0; row < kRowCount; ++row)
        m_grid.AppendRow();
    RewriteFromRows();
}

void SendTable::RewriteFromRows()
{
    for (int row = 0; row < kRowCount; ++row) {
        SendRow& r = m_rows[static_cast<std::size_t>(row)];
        if (!IsNamed(r.waitKind))
            r.waitKind = WaitKind::None;
        SetCheckCell(m_grid, row, kSelectColumn, r.sendFlag != 0);
        m_grid.SetCellText(row, kNumberColumn, DecimalText(row));
        m_grid.SetCellImage(row, kNumberColumn, kRowImageNone);
        m_grid.SetCellText(row, kDataColumn, r.data);
        m_grid.SetCellText(row, kWaitColumn, WaitKindName(r.waitKind));
        SetCheckCell(m_grid, row, kHaltColumn, r.halt != 0);
        m_grid.SetCellText(row, kDelayColumn, DecimalText(r.delay));
        m_grid.SetCellText(row, kExpectColumn, r.expect);
    }
}

} // namespace wirevane
