#include "grid/grid_cell_model.h"

#include <algorithm>

namespace wirevane {

CGridCellModel::CGridCellModel(QObject* parent) : QAbstractItemModel(parent) {}

void CGridCellModel::AppendTableRow()
{
    const int row = TableRowCount();
    if (!m_grouped) {
        beginInsertRows(QModelIndex(), row, row);
        m_rows.emplace_back(m_titles.size());
        m_checked.push_back(0);
        endInsertRows();
        return;
    }
    // A new row has empty texts, so it belongs to the group of the empty text.
    int group = -1;
    for (int g = 0; g < static_cast<int>(m_groups.size()); ++g) {
        if (m_groups[static_cast<size_t>(g)].title.empty()) {
            group = g;
        }
    }
    if (group < 0) {
        group = static_cast<int>(m_groups.size());
        beginInsertRows(QModelIndex(), group, group);
        m_rows.emplace_back(m_titles.size());
        m_checked.push_back(0);
        m_groups.push_back(Group{{}, {row}});
        IndexGroups();
        endInsertRows();
        return;
    }
    const int position = static_cast<int>(m_groups[static_cast<size_t>(group)].rows.size());
    beginInsertRows(GroupIndex(group), position, position);
    m_rows.emplace_back(m_titles.size());
    m_checked.push_back(0);
    m_groups[static_cast<size_t>(group)].rows.push_back(row);
    IndexGroups();
    endInsertRows();
}

void CGridCellModel::InsertTableColumn(int column, const QString& title, Qt::Alignment alignment)
{
    column = std::clamp(column, 0, TableColumnCount());
    beginInsertColumns(QModelIndex(), column, column);
    m_titles.insert(m_titles.begin() + column, title);
    m_alignments.insert(m_alignments.begin() + column, alignment);
    m_toolTips.insert(m_toolTips.begin() + column, QString());
    for (auto& cells : m_rows) {
        cells.insert(cells.begin() + column, GridCell{});
    }
    endInsertColumns();
}

void CGridCellModel::SetColumnToolTip(int column, const QString& tip)
{
    if (column < 0 || column >= TableColumnCount()) {
        return;
    }
    m_toolTips[static_cast<size_t>(column)] = tip;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString CGridCellModel::ColumnTitle(int column) const
{
    return column >= 0 && column < TableColumnCount() ? m_titles[static_cast<size_t>(column)]
                                                      : QString();
}

Qt::Alignment CGridCellModel::ColumnAlignment(int column) const
{
    return column >= 0 && column < TableColumnCount() ? m_alignments[static_cast<size_t>(column)]
                                                      : Qt::AlignLeft;
}

bool CGridCellModel::IsValidCell(int row, int column) const
{
    return row >= 0 && row < TableRowCount() && column >= 0 && column < TableColumnCount();
}

const GridCell& CGridCellModel::Cell(int row, int column) const
{
    static const GridCell empty;
    return IsValidCell(row, column) ? m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)]
                                    : empty;
}

void CGridCellModel::SetCellText(int row, int column, std::u16string_view text)
{
    if (!IsValidCell(row, column)) {
        return;
    }
    GridCell& c = m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
    if (c.text == text) {
        return;
    }
    c.text.assign(text);
    const QModelIndex at = IndexOfRow(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void CGridCellModel::SetCellImage(int row, int column, int image)
{
    if (!IsValidCell(row, column)) {
        return;
    }
    GridCell& c = m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
    if (c.image == image) {
        return;
    }
    c.image = image;
    const QModelIndex at = IndexOfRow(row, column);
    emit dataChanged(at, at, {Qt::DecorationRole});
}

bool CGridCellModel::IsRowChecked(int row) const
{
    return row >= 0 && row < TableRowCount() && m_checked[static_cast<size_t>(row)] != 0;
}

void CGridCellModel::SetRowChecked(int row, bool checked)
{
    if (row >= 0 && row < TableRowCount()) {
        m_checked[static_cast<size_t>(row)] = checked ? 1 : 0;
    }
}

QModelIndex CGridCellModel::IndexOfRow(int row, int column) const
{
    if (!IsValidCell(row, column)) {
        return {};
    }
    if (!m_grouped) {
        return createIndex(row, column, kTopLevel);
    }
    return createIndex(m_positionInGroup[static_cast<size_t>(row)], column,
                       static_cast<quintptr>(m_groupOfRow[static_cast<size_t>(row)]));
}

int CGridCellModel::TableRow(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this) {
        return -1;
    }
    if (!m_grouped) {
        return index.row();
    }
    if (index.internalId() == kTopLevel) {
        return -1;
    }
    return m_groups[index.internalId()].rows[static_cast<size_t>(index.row())];
}

bool CGridCellModel::IsGroupHeader(const QModelIndex& index) const
{
    return index.isValid() && m_grouped && index.internalId() == kTopLevel;
}

std::vector<std::vector<GridCell>> CGridCellModel::TakeTopLevel()
{
    std::vector<std::vector<GridCell>> rows;
    const int before = rowCount();
    if (before > 0) {
        beginRemoveRows(QModelIndex(), 0, before - 1);
    }
    rows.swap(m_rows);
    m_grouped = false;
    m_groups.clear();
    if (before > 0) {
        endRemoveRows();
    }
    return rows;
}

void CGridCellModel::SetGroups(std::vector<Group> groups)
{
    // The rows leave every view while they are regrouped and come back under their groups.
    std::vector<std::vector<GridCell>> rows = TakeTopLevel();
    if (!groups.empty()) {
        beginInsertRows(QModelIndex(), 0, static_cast<int>(groups.size()) - 1);
    }
    m_rows.swap(rows);
    m_groups = std::move(groups);
    m_grouped = !m_groups.empty();
    IndexGroups();
    if (m_grouped) {
        endInsertRows();
    }
}

void CGridCellModel::ClearGroups()
{
    if (!m_grouped) {
        return;
    }
    std::vector<std::vector<GridCell>> rows = TakeTopLevel();
    if (!rows.empty()) {
        beginInsertRows(QModelIndex(), 0, static_cast<int>(rows.size()) - 1);
    }
    m_rows.swap(rows);
    if (!m_rows.empty()) {
        endInsertRows();
    }
}

void CGridCellModel::IndexGroups()
{
    m_groupOfRow.assign(m_rows.size(), 0);
    m_positionInGroup.assign(m_rows.size(), 0);
    for (size_t g = 0; g < m_groups.size(); ++g) {
        const auto& rows = m_groups[g].rows;
        for (size_t p = 0; p < rows.size(); ++p) {
            m_groupOfRow[static_cast<size_t>(rows[p])] = static_cast<int>(g);
            m_positionInGroup[static_cast<size_t>(rows[p])] = static_cast<int>(p);
        }
    }
}

QModelIndex CGridCellModel::GroupIndex(int group) const
{
    if (!m_grouped || group < 0 || group >= static_cast<int>(m_groups.size())) {
        return {};
    }
    return createIndex(group, 0, kTopLevel);
}

int CGridCellModel::GroupOfHeader(const QModelIndex& index) const
{
    return IsGroupHeader(index) ? index.row() : -1;
}

QModelIndex CGridCellModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent)) {
        return {};
    }
    if (!parent.isValid()) {
        return createIndex(row, column, kTopLevel);
    }
    return createIndex(row, column, static_cast<quintptr>(parent.row()));
}

QModelIndex CGridCellModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == kTopLevel) {
        return {};
    }
    return createIndex(static_cast<int>(child.internalId()), 0, kTopLevel);
}

int CGridCellModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid()) {
        return m_grouped ? static_cast<int>(m_groups.size()) : TableRowCount();
    }
    if (IsGroupHeader(parent) && parent.column() == 0) {
        return static_cast<int>(m_groups[static_cast<size_t>(parent.row())].rows.size());
    }
    return 0;
}

int CGridCellModel::columnCount(const QModelIndex&) const
{
    return TableColumnCount();
}

QVariant CGridCellModel::data(const QModelIndex& index, int role) const
{
    if (IsGroupHeader(index)) {
        if (role == Qt::DisplayRole && index.column() == 0) {
            return QString::fromStdU16String(m_groups[static_cast<size_t>(index.row())].title);
        }
        return {};
    }
    const int row = TableRow(index);
    if (row < 0) {
        return {};
    }
    const GridCell& c = Cell(row, index.column());
    switch (role) {
    case Qt::DisplayRole:
        return ShownTextOf(index.column(), c.text);
    case Qt::DecorationRole:
        if (m_imageLookup) {
            QIcon icon = m_imageLookup(index.column(), c.image);
            if (!icon.isNull()) {
                return icon;
            }
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(index.column()) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QString CGridCellModel::ShownTextOf(int column, const std::u16string& text) const
{
    return m_shownText ? m_shownText(column, text) : QString::fromStdU16String(text);
}

QVariant CGridCellModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= TableColumnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return ColumnTitle(section);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(ColumnAlignment(section) | Qt::AlignVCenter);
    }
    if (role == Qt::ToolTipRole && !m_toolTips[static_cast<size_t>(section)].isEmpty()) {
        return m_toolTips[static_cast<size_t>(section)];
    }
    return {};
}

Qt::ItemFlags CGridCellModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    if (IsGroupHeader(index)) {
        return Qt::ItemIsEnabled;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace wirevane
