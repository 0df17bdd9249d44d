#include "grid/grid_cell_model.h"

#include <algorithm>

namespace wirevane {

CGridCellModel::CGridCellModel(QObject* parent) : QAbstractItemModel(parent) {}

void CGridCellModel::appendTableRow()
{
    const int row = tableRowCount();
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
        indexGroups();
        endInsertRows();
        return;
    }
    const int position = static_cast<int>(m_groups[static_cast<size_t>(group)].rows.size());
    beginInsertRows(groupIndex(group), position, position);
    m_rows.emplace_back(m_titles.size());
    m_checked.push_back(0);
    m_groups[static_cast<size_t>(group)].rows.push_back(row);
    indexGroups();
    endInsertRows();
}

void CGridCellModel::insertTableColumn(int column, const QString& title, Qt::Alignment alignment)
{
    column = std::clamp(column, 0, tableColumnCount());
    beginInsertColumns(QModelIndex(), column, column);
    m_titles.insert(m_titles.begin() + column, title);
    m_alignments.insert(m_alignments.begin() + column, alignment);
    m_toolTips.insert(m_toolTips.begin() + column, QString());
    for (auto& cells : m_rows) {
        cells.insert(cells.begin() + column, GridCell{});
    }
    endInsertColumns();
}

void CGridCellModel::setColumnToolTip(int column, const QString& tip)
{
    if (column < 0 || column >= tableColumnCount()) {
        return;
    }
    m_toolTips[static_cast<size_t>(column)] = tip;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString CGridCellModel::columnTitle(int column) const
{
    return column >= 0 && column < tableColumnCount() ? m_titles[static_cast<size_t>(column)]
                                                      : QString();
}

Qt::Alignment CGridCellModel::columnAlignment(int column) const
{
    return column >= 0 && column < tableColumnCount() ? m_alignments[static_cast<size_t>(column)]
                                                      : Qt::AlignLeft;
}

bool CGridCellModel::validCell(int row, int column) const
{
    return row >= 0 && row < tableRowCount() && column >= 0 && column < tableColumnCount();
}

const GridCell& CGridCellModel::cell(int row, int column) const
{
    static const GridCell empty;
    return validCell(row, column) ? m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)]
                                  : empty;
}

void CGridCellModel::SetCellText(int row, int column, std::u16string_view text)
{
    if (!validCell(row, column)) {
        return;
    }
    GridCell& c = m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
    if (c.text == text) {
        return;
    }
    c.text.assign(text);
    const QModelIndex at = indexOfRow(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void CGridCellModel::SetCellImage(int row, int column, int image)
{
    if (!validCell(row, column)) {
        return;
    }
    GridCell& c = m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
    if (c.image == image) {
        return;
    }
    c.image = image;
    const QModelIndex at = indexOfRow(row, column);
    emit dataChanged(at, at, {Qt::DecorationRole});
}

bool CGridCellModel::rowChecked(int row) const
{
    return row >= 0 && row < tableRowCount() && m_checked[static_cast<size_t>(row)] != 0;
}

void CGridCellModel::setRowChecked(int row, bool checked)
{
    if (row >= 0 && row < tableRowCount()) {
        m_checked[static_cast<size_t>(row)] = checked ? 1 : 0;
    }
}

QModelIndex CGridCellModel::indexOfRow(int row, int column) const
{
    if (!validCell(row, column)) {
        return {};
    }
    if (!m_grouped) {
        return createIndex(row, column, kTopLevel);
    }
    return createIndex(m_positionInGroup[static_cast<size_t>(row)], column,
                       static_cast<quintptr>(m_groupOfRow[static_cast<size_t>(row)]));
}

int CGridCellModel::tableRow(const QModelIndex& index) const
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

bool CGridCellModel::isGroupHeader(const QModelIndex& index) const
{
    return index.isValid() && m_grouped && index.internalId() == kTopLevel;
}

std::vector<std::vector<GridCell>> CGridCellModel::takeTopLevel()
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

void CGridCellModel::setGroups(std::vector<Group> groups)
{
    // The rows leave every view while they are regrouped and come back under their groups.
    std::vector<std::vector<GridCell>> rows = takeTopLevel();
    if (!groups.empty()) {
        beginInsertRows(QModelIndex(), 0, static_cast<int>(groups.size()) - 1);
    }
    m_rows.swap(rows);
    m_groups = std::move(groups);
    m_grouped = !m_groups.empty();
    indexGroups();
    if (m_grouped) {
        endInsertRows();
    }
}

void CGridCellModel::clearGroups()
{
    if (!m_grouped) {
        return;
    }
    std::vector<std::vector<GridCell>> rows = takeTopLevel();
    if (!rows.empty()) {
        beginInsertRows(QModelIndex(), 0, static_cast<int>(rows.size()) - 1);
    }
    m_rows.swap(rows);
    if (!m_rows.empty()) {
        endInsertRows();
    }
}

void CGridCellModel::indexGroups()
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

QModelIndex CGridCellModel::groupIndex(int group) const
{
    if (!m_grouped || group < 0 || group >= static_cast<int>(m_groups.size())) {
        return {};
    }
    return createIndex(group, 0, kTopLevel);
}

int CGridCellModel::groupOfHeader(const QModelIndex& index) const
{
    return isGroupHeader(index) ? index.row() : -1;
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
        return m_grouped ? static_cast<int>(m_groups.size()) : tableRowCount();
    }
    if (isGroupHeader(parent) && parent.column() == 0) {
        return static_cast<int>(m_groups[static_cast<size_t>(parent.row())].rows.size());
    }
    return 0;
}

int CGridCellModel::columnCount(const QModelIndex&) const
{
    return tableColumnCount();
}

QVariant CGridCellModel::data(const QModelIndex& index, int role) const
{
    if (isGroupHeader(index)) {
        if (role == Qt::DisplayRole && index.column() == 0) {
            return QString::fromStdU16String(m_groups[static_cast<size_t>(index.row())].title);
        }
        return {};
    }
    const int row = tableRow(index);
    if (row < 0) {
        return {};
    }
    const GridCell& c = cell(row, index.column());
    switch (role) {
    case Qt::DisplayRole:
        return shownText(index.column(), c.text);
    case Qt::DecorationRole:
        if (m_imageLookup) {
            QIcon icon = m_imageLookup(index.column(), c.image);
            if (!icon.isNull()) {
                return icon;
            }
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columnAlignment(index.column()) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QString CGridCellModel::shownText(int column, const std::u16string& text) const
{
    return m_shownText ? m_shownText(column, text) : QString::fromStdU16String(text);
}

QVariant CGridCellModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= tableColumnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return columnTitle(section);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(columnAlignment(section) | Qt::AlignVCenter);
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
    if (isGroupHeader(index)) {
        return Qt::ItemIsEnabled;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace wirevane
