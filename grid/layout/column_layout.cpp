#include "grid/layout/column_layout.h"

#include <algorithm>
#include <vector>

namespace wirevane {
namespace {

// A layout never holds more entries than this; a larger "ColumnCount" in a damaged file would
// otherwise keep the window busy reading keys that cannot place a column.
constexpr int kMaxStoredEntries = 4096;

std::u16string NumberedKey(std::u16string_view stem, int n)
{
    std::u16string key(stem);
    key += CViewConfigSection::ConvertInt(n);
    return key;
}

// Brackets one save or load so a file-backed section reads and writes its file once.
class SectionUpdate {
public:
    explicit SectionUpdate(CViewConfigSection& section) : m_section(section)
    {
        m_section.BeginUpdate();
    }
    ~SectionUpdate()
    {
        if (!m_ended) {
            m_section.EndUpdate();
        }
    }
    SectionUpdate(const SectionUpdate&) = delete;
    SectionUpdate& operator=(const SectionUpdate&) = delete;

    platform::FileError end()
    {
        m_ended = true;
        return m_section.EndUpdate();
    }

private:
    CViewConfigSection& m_section;
    bool m_ended = false;
};

} // namespace

ColumnLayout::ColumnLayout(ColumnModel& columns) : m_columns(columns) {}

ColumnLayout::~ColumnLayout() = default;

void ColumnLayout::AttachColumnLayout(std::unique_ptr<CViewConfigSectionDefault> section)
{
    m_owned = std::move(section);
    m_attached = m_owned.get();
    if (m_attached == nullptr) {
        return;
    }
    if (!m_attached->HasDefaults()) {
        SaveColumnLayout(m_attached->DefaultValues());
    }
    LoadColumnLayout(*m_attached);
}

platform::FileError ColumnLayout::SaveColumnLayout(CViewConfigSection& section)
{
    SectionUpdate update(section);
    section.ClearCurrentLayout();
    int n = 0;
    for (int column : m_columns.GetDisplayOrder()) {
        if (!m_columns.IsVisible(column)) {
            continue;
        }
        section.StoreInt(NumberedKey(u"ColumnData_", n), m_columns.GetSubItemId(column));
        section.StoreInt(NumberedKey(u"ColumnWidth_", n), m_columns.GetWidth(column));
        ++n;
    }
    section.StoreInt(u"ColumnCount", n);
    return update.end();
}

void ColumnLayout::LoadColumnLayout(CViewConfigSection& section)
{
    CViewConfigSectionDefault* attached = m_attached;
    m_attached = nullptr;
    SectionUpdate update(section);

    const int columnCount = m_columns.GetColumnCount();
    int count = std::min(section.ReadInt(u"ColumnCount", 0), kMaxStoredEntries);
    std::vector<int> order = m_columns.GetDisplayOrder();
    order.resize(static_cast<size_t>(columnCount), 0);
    m_columns.SetRedraw(false);

    std::vector<bool> placed(static_cast<size_t>(columnCount), false);
    int freePositions = columnCount;
    auto place = [&](int column) {
        placed[static_cast<size_t>(column)] = true;
        order[static_cast<size_t>(--freePositions)] = column;
    };

    for (int i = count - 1; i >= 0 && freePositions > 0; --i) {
        int id = section.ReadInt(NumberedKey(u"ColumnData_", i), 0);
        for (int column = 0; column < columnCount; ++column) {
            if (placed[static_cast<size_t>(column)] || m_columns.GetSubItemId(column) != id ||
                m_columns.IsAlwaysHidden(column)) {
                continue;
            }
            m_columns.ShowColumn(column);
            if (m_columns.IsResizable(column)) {
                m_columns.SetWidth(column, section.ReadInt(NumberedKey(u"ColumnWidth_", i), 0));
            }
            place(column);
            break;
        }
    }
    for (int column = columnCount - 1; column >= 0; --column) {
        if (!placed[static_cast<size_t>(column)] && m_columns.IsAlwaysVisible(column)) {
            m_columns.ShowColumn(column);
            place(column);
        }
    }
    for (int column = columnCount - 1; column >= 0; --column) {
        if (!placed[static_cast<size_t>(column)]) {
            m_columns.HideColumn(column);
            place(column);
        }
    }

    m_columns.SetDisplayOrder(order);
    update.end();
    m_attached = attached;
    m_columns.SetRedraw(true);
}

platform::FileError ColumnLayout::SaveAttached()
{
    return m_attached ? SaveColumnLayout(*m_attached) : platform::FileError{};
}

void ColumnLayout::LoadAttached()
{
    if (m_attached) {
        LoadColumnLayout(*m_attached);
    }
}

platform::FileError ColumnLayout::ResetColumnLayout()
{
    if (m_attached == nullptr) {
        return {};
    }
    CViewConfigSectionDefault& section = *m_attached;
    SectionUpdate update(section);
    section.RestoreDefaults();
    LoadColumnLayout(section);
    return update.end();
}

platform::FileError ColumnLayout::SwitchLayoutProfile(std::u16string_view name)
{
    if (m_attached == nullptr) {
        return {};
    }
    CViewConfigSectionDefault& section = *m_attached;
    SectionUpdate update(section);
    SaveColumnLayout(section);
    if (auto* profiles = dynamic_cast<CViewConfigSectionProfiles*>(&section)) {
        profiles->ActivateProfile(name);
        LoadColumnLayout(section);
    }
    return update.end();
}

} // namespace wirevane
