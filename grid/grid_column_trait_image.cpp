#include "grid/grid_column_trait_image.h"

#include "grid/grid_list_ctrl_ex.h"

#include <algorithm>

namespace wirevane {

void CGridColumnTraitImage::AddImageIndex(int image, std::u16string text, bool editable)
{
    m_entries.push_back(ImageEntry{image, std::move(text), editable});
}

const CGridColumnTraitImage::ImageEntry* CGridColumnTraitImage::FindEntry(int image) const
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [image](const ImageEntry& e) { return e.image == image; });
    return it == m_entries.end() ? nullptr : &*it;
}

bool CGridColumnTraitImage::PointOnImage(const CGridListCtrlEx& owner, int row, int column,
                                         QPoint point) const
{
    return owner.CellHasImage(row, column) &&
           owner.Geometry().IconRect(row, column).contains(point);
}

int CGridColumnTraitImage::ClickStartsEdit(const CGridListCtrlEx& owner, int row, int column,
                                           QPoint point, bool doubleClick) const
{
    if (m_entries.size() >= 2 && PointOnImage(owner, row, column, point)) {
        return kEditAtOnce;
    }
    if (m_singleClickEdit && !doubleClick) {
        return kEditAfterClick;
    }
    return CGridColumnTraitText::ClickStartsEdit(owner, row, column, point, doubleClick);
}

QWidget* CGridColumnTraitImage::BeginCellEditor(CGridListCtrlEx& owner, int row, int column,
                                                QPoint point)
{
    if (point == kKeyboardEditPoint || owner.Geometry().LabelRect(row, column).contains(point)) {
        return OpenCellEditor(owner, row, column);
    }
    if (PointOnImage(owner, row, column, point)) {
        FlipCellImage(owner, row, column);
    }
    return nullptr;
}

bool CGridColumnTraitImage::IsCellLocked(const CGridListCtrlEx& owner, int row, int column,
                                         QPoint point) const
{
    if (!GetColumnState().editable) {
        return true;
    }
    if (std::all_of(m_entries.begin(), m_entries.end(),
                    [](const ImageEntry& e) { return e.editable; })) {
        return false;
    }
    if (!owner.Geometry().LabelRect(row, column).contains(point)) {
        return false;
    }
    const ImageEntry* entry = FindEntry(owner.GetCellImage(row, column));
    return entry != nullptr && !entry->editable;
}

int CGridColumnTraitImage::NextImageIndex(int image) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].image == image) {
            return m_entries[(i + 1) % m_entries.size()].image;
        }
    }
    return -1;
}

void CGridColumnTraitImage::FlipCellImage(CGridListCtrlEx& owner, int row, int column)
{
    if (m_entries.size() < 2) {
        return;
    }
    const ImageEntry* old = FindEntry(owner.GetCellImage(row, column));
    if (old == nullptr) {
        return;
    }
    const ImageEntry* next = FindEntry(NextImageIndex(old->image));
    GridCellChange change;
    change.row = row;
    change.column = column;
    change.image = next->image;
    if (next->text != old->text) {
        change.text = next->text;
    }
    // The other rows are taken before the change: applying it must not alter who follows.
    std::vector<int> followers;
    if (m_toggleSelection && owner.Selection().IsRowSelected(row)) {
        for (int other : owner.Selection().SelectedRows()) {
            if (other != row && owner.GetCellImage(other, column) != next->image) {
                followers.push_back(other);
            }
        }
    }
    owner.SendEndLabelEdit(change);
    for (int other : followers) {
        change.row = other;
        owner.SendEndLabelEdit(change);
    }
}

} // namespace wirevane
