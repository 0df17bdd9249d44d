#include "grid/grid_list_ctrl_groups.h"

#include <QMenu>
#include <QScrollBar>
#include <map>

namespace wirevane {

void CGridListCtrlGroups::Regroup(const std::function<void()>& change)
{
    TakeFocus();
    const std::vector<int> selected = Selection().SelectedRows();
    const int focused = Selection().FocusRow();
    setUpdatesEnabled(false);
    change();
    for (int row : selected) {
        Selection().SelectRow(row, false);
    }
    if (focused >= 0) {
        Selection().SetFocusRow(focused, GetFirstVisibleColumn());
    }
    setUpdatesEnabled(true);
}

void CGridListCtrlGroups::GroupByColumn(int column)
{
    if (GetRowCount() == 0 || column < 0 || column >= GetColumnCount()) {
        return;
    }
    std::vector<CGridCellModel::Group> groups;
    std::map<std::u16string, size_t> groupOfText;
    for (int row = 0; row < GetRowCount(); ++row) {
        const std::u16string text = GetCellText(row, column);
        auto [it, added] = groupOfText.try_emplace(text, groups.size());
        if (added) {
            groups.push_back(CGridCellModel::Group{text, {}});
        }
        groups[it->second].rows.push_back(row);
    }
    Regroup([&] {
        GetCellModel().SetGroups(std::move(groups));
        expandAll();
    });
}

void CGridListCtrlGroups::RemoveAllGroups()
{
    if (!IsGroupViewEnabled()) {
        return;
    }
    const int scrolled = verticalScrollBar()->value();
    scrollToTop();
    Regroup([this] { GetCellModel().ClearGroups(); });
    verticalScrollBar()->setValue(scrolled);
}

bool CGridListCtrlGroups::IsGroupViewEnabled() const
{
    return GetCellModel().IsGrouped();
}

void CGridListCtrlGroups::ExpandAllGroups()
{
    expandAll();
}

void CGridListCtrlGroups::CollapseAllGroups()
{
    collapseAll();
}

void CGridListCtrlGroups::CheckEntireGroup(int group, bool checked)
{
    const auto& groups = GetCellModel().Groups();
    if (group < 0 || group >= static_cast<int>(groups.size())) {
        return;
    }
    for (int row : groups[static_cast<size_t>(group)].rows) {
        GetCellModel().SetRowChecked(row, checked);
    }
}

void CGridListCtrlGroups::AddHeaderGroupItems(QMenu& menu, int column)
{
    if (column >= 0 && IsColumnVisible(column)) {
        const QString title = tr("グループ表示「%1」").arg(GetColumnTitle(column));
        connect(menu.addAction(title), &QAction::triggered, this,
                [this, column] { GroupByColumn(column); });
    }
    if (IsGroupViewEnabled()) {
        connect(menu.addAction(tr("グループ表示解除")), &QAction::triggered, this,
                [this] { RemoveAllGroups(); });
    }
}

std::unique_ptr<QMenu> CGridListCtrlGroups::CreateListMenu(QPoint point)
{
    if (!IsGroupViewEnabled()) {
        return nullptr;
    }
    auto menu = std::make_unique<QMenu>(this);
    const int group = GetCellModel().GroupOfHeader(indexAt(point));
    if (group >= 0) {
        const QString name =
            QString::fromStdU16String(GetCellModel().Groups()[static_cast<size_t>(group)].title);
        connect(menu->addAction(QStringLiteral("Check group: ") + name), &QAction::triggered, this,
                [this, group] { CheckEntireGroup(group, true); });
        connect(menu->addAction(QStringLiteral("Uncheck group: ") + name), &QAction::triggered,
                this, [this, group] { CheckEntireGroup(group, false); });
        menu->addSeparator();
    }
    connect(menu->addAction(QStringLiteral("Expand all groups")), &QAction::triggered, this,
            [this] { ExpandAllGroups(); });
    connect(menu->addAction(QStringLiteral("Collapse all groups")), &QAction::triggered, this,
            [this] { CollapseAllGroups(); });
    connect(menu->addAction(QStringLiteral("Disable grouping")), &QAction::triggered, this,
            [this] { RemoveAllGroups(); });
    return menu;
}

} // namespace wirevane
