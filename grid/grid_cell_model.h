#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

struct GridCell {
    std::u16string text;
    int image = 0;
};

// The cells of a grid: text and image index per cell, addressed by table row and column. The
// table rows keep their indexes whatever the view shows: without grouping they are the model's
// top-level rows; with grouping the top level holds one header row per group and the table rows
// sit under their group's header. Icons come from a lookup that the grid supplies per column.
class CGridCellModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    using ImageLookup = std::function<QIcon(int column, int image)>;
    // What a cell shows for the text it holds; the text itself stays what the table reads.
    using ShownText = std::function<QString(int column, const std::u16string& text)>;
    struct Group {
        std::u16string title;
        std::vector<int> rows;
    };

    explicit CGridCellModel(QObject* parent = nullptr);

    void SetImageLookup(ImageLookup lookup) { m_imageLookup = std::move(lookup); }
    void SetShownText(ShownText shown) { m_shownText = std::move(shown); }
    QString ShownTextOf(int column, const std::u16string& text) const;

    int TableRowCount() const { return static_cast<int>(m_rows.size()); }
    int TableColumnCount() const { return static_cast<int>(m_titles.size()); }
    void AppendTableRow();
    void InsertTableColumn(int column, const QString& title, Qt::Alignment alignment);
    QString ColumnTitle(int column) const;
    Qt::Alignment ColumnAlignment(int column) const;
    // What the header shows when the pointer rests on a column's title.
    void SetColumnToolTip(int column, const QString& tip);

    // Out-of-range cells read as empty text and image 0; writes to them are ignored.
    const GridCell& Cell(int row, int column) const;
    void SetCellText(int row, int column, std::u16string_view text);
    void SetCellImage(int row, int column, int image);

    // The list's own check state of a row (not shown by the send table).
    bool IsRowChecked(int row) const;
    void SetRowChecked(int row, bool checked);

    QModelIndex IndexOfRow(int row, int column) const;
    // -1 for a group header and an invalid index.
    int TableRow(const QModelIndex& index) const;
    bool IsGroupHeader(const QModelIndex& index) const;

    bool IsGrouped() const { return m_grouped; }
    const std::vector<Group>& Groups() const { return m_groups; }
    // Every table row must be in exactly one group.
    void SetGroups(std::vector<Group> groups);
    void ClearGroups();
    QModelIndex GroupIndex(int group) const;
    // The group of a header index, -1 for anything else.
    int GroupOfHeader(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    static constexpr quintptr kTopLevel = ~quintptr{0};

    std::vector<std::vector<GridCell>> TakeTopLevel();
    void IndexGroups();
    bool IsValidCell(int row, int column) const;

    std::vector<std::vector<GridCell>> m_rows;
    std::vector<char> m_checked;
    std::vector<QString> m_titles;
    std::vector<Qt::Alignment> m_alignments;
    std::vector<QString> m_toolTips;
    ImageLookup m_imageLookup;
    ShownText m_shownText;

    bool m_grouped = false;
    std::vector<Group> m_groups;
    std::vector<int> m_groupOfRow;
    std::vector<int> m_positionInGroup;
};

} // namespace wirevane
