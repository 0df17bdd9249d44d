#pragma once

#include "grid/layout/column_model.h"
#include "grid/layout/view_config_section.h"

#include <memory>
#include <string_view>

namespace wirevane {

// Saves and loads the column layout of one list (which columns are shown, in which order, how
// wide) into a layout section, and owns the section attached to the list. The grid control calls
// SaveAttached after the user resizes, shows or hides a column; while a load rearranges the
// columns the section is detached, so those changes save nothing.
class ColumnLayout {
public:
    explicit ColumnLayout(ColumnModel& columns);
    ~ColumnLayout();

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
    ColumnModel& m_columns;
    std::unique_ptr<CViewConfigSectionDefault> m_owned;
    CViewConfigSectionDefault* m_attached = nullptr;
};

} // namespace wirevane
