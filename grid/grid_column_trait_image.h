#pragma once

#include "grid/grid_column_trait_text.h"

#include <string>
#include <vector>

namespace wirevane {

// A column whose cells show an image that a click on it steps through an ordered table of
// entries (image index → cell text). A click on the image flips it to the next entry, wrapping
// round; with toggle-selection on, the other selected rows follow the clicked one. An entry
// marked not editable makes its cells read-only outside the image.
class CGridColumnTraitImage : public CGridColumnTraitText {
public:
    struct ImageEntry {
        int image = 0;
        std::u16string text;
        bool editable = true;
    };

    void AddImageIndex(int image, std::u16string text, bool editable = true);
    const std::vector<ImageEntry>& ImageEntries() const { return m_entries; }
    void SetToggleSelection(bool on) { m_toggleSelection = on; }
    bool GetToggleSelection() const { return m_toggleSelection; }
    void SetSingleClickEdit(bool on) { m_singleClickEdit = on; }

    int ClickStartsEdit(const CGridListCtrlEx& owner, int row, int column, QPoint point,
                        bool doubleClick) const override;
    QWidget* BeginCellEditor(CGridListCtrlEx& owner, int row, int column, QPoint point) override;
    bool IsCellLocked(const CGridListCtrlEx& owner, int row, int column,
                      QPoint point) const override;

    // The image after the given one in entry order, or -1 when the image is not in the table.
    int NextImageIndex(int image) const;
    void FlipCellImage(CGridListCtrlEx& owner, int row, int column);

private:
    const ImageEntry* FindEntry(int image) const;
    bool PointOnImage(const CGridListCtrlEx& owner, int row, int column, QPoint point) const;

    std::vector<ImageEntry> m_entries;
    bool m_toggleSelection = false;
    bool m_singleClickEdit = false;
};

} // namespace wirevane
