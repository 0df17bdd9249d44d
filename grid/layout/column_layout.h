#pragma once

#include "grid/layout/column_model.h"
#include "grid/layout/view_config_section.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

// Saves and loads the column layout of one list (which columns are shown, in which order, how
// wide) into a layout section, and owns the section attached to the list. The grid control calls
// SaveAttached after the user resizes, shows or hides a column; while a load rearranges the
// columns the section is detached, so those changes save nothing.
//
// A column that a file's other readers do not know is kept out of the layout sections, which
// then describe the columns they always did; its own keys, in a section of its own, say whether
// it is hidden, its width and its place among the visible columns, each key present only while
// it differs from the column as it was built (shown, last, its first width).
class ColumnLayout {
public:
    struct OwnColumnKeys {
        int subItemId = 0;
        std::u16string section;
        // The keys are the stem followed by "_HIDDEN", "_WIDTH" and "_PLACE".
        std::u16string keyStem;
    };

    explicit ColumnLayout(ColumnModel& columns);
    ~ColumnLayout();

    // Before attaching a section: the column with that sub-item id keeps its layout under the
    // keys given, and its present width is its default.
    void KeepOutsideNativeLayout(OwnColumnKeys keys);

    // Takes the section; when it has no defaults yet, the current columns become its defaults.
    // Then the stored layout is loaded.
    void AttachColumnLayout(std::unique_ptr<CViewConfigSectionDefault> section);
    // Null while nothing is attached or a load runs.
    CViewConfigSectionDefault* attachedSection() const { return m_attached; }

    // The visible columns in display order: "ColumnData_n" = sub-item id, "ColumnWidth_n" =
    // width, then "ColumnCount". Answers the result of writing the section's file.
    platform::FileError SaveColumnLayout(CViewConfigSection& section);
    void LoadColumnLayout(CViewConfigSection& section);

    // On the attached section; without one they do nothing and answer success.
    platform::FileError SaveAttached();
    void LoadAttached();
    platform::FileError ResetColumnLayout();
    // Saves the current layout into the current profile, activates the named one and shows its
    // layout. A section without profiles keeps its layout and only saves.
    platform::FileError SwitchLayoutProfile(std::u16string_view name);

private:
    struct OwnColumn {
        OwnColumnKeys keys;
        int defaultWidth = 0;
    };

    const OwnColumn* FindOwn(int column) const;
    void SaveOwnColumn(CViewConfigSection& section, const OwnColumn& own, int column);
    void LoadOwnColumn(CViewConfigSection& section, const OwnColumn& own, std::vector<int>& order);
    void ForgetOwnColumns(CViewConfigSection& section);

    ColumnModel& m_columns;
    std::vector<OwnColumn> m_own;
    std::unique_ptr<CViewConfigSectionDefault> m_owned;
    CViewConfigSectionDefault* m_attached = nullptr;
};

} // namespace wirevane
