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

constexpr std::u16string_view kHiddenSuffix = u"_HIDDEN";
constexpr std::u16string_view kWidthSuffix = u"_WIDTH";
constexpr std::u16string_view kPlaceSuffix = u"_PLACE";

std::u16string OwnKey(const ColumnLayout::OwnColumnKeys& keys, std::u16string_view suffix)
{
    return keys.keyStem + std::u16string(suffix);
}

} // namespace

ColumnLayout::ColumnLayout(ColumnModel& columns) : m_columns(columns) {}

ColumnLayout::~ColumnLayout() = default;

void ColumnLayout::KeepOutsideNativeLayout(OwnColumnKeys keys)
{
    int defaultWidth = 0;
    for (int column = 0; column < m_columns.GetColumnCount(); ++column) {
        if (m_columns.GetSubItemId(column) == keys.subItemId) {
            defaultWidth = m_columns.GetWidth(column);
        }
    }
    m_own.push_back({std::move(keys), defaultWidth});
}

const ColumnLayout::OwnColumn* ColumnLayout::FindOwn(int column) const
{
    const int id = m_columns.GetSubItemId(column);
    for (const OwnColumn& own : m_own) {
        if (own.keys.subItemId == id) {
            return &own;
        }
    }
    return nullptr;
}

void ColumnLayout::SaveOwnColumn(CViewConfigSection& section, const OwnColumn& own, int column)
{
    const std::u16string& ownSection = own.keys.section;
    // A hidden column keeps its stored width and place for when it is shown again.
    if (!m_columns.IsVisible(column)) {
        section.WriteValue(ownSection, OwnKey(own.keys, kHiddenSuffix), u"1");
        return;
    }
    section.DeleteValue(ownSection, OwnKey(own.keys, kHiddenSuffix));

    const int width = m_columns.GetWidth(column);
    if (width == own.defaultWidth) {
        section.DeleteValue(ownSection, OwnKey(own.keys, kWidthSuffix));
    } else {
        section.WriteValue(ownSection, OwnKey(own.keys, kWidthSuffix),
                           CViewConfigSection::ConvertInt(width));
    }

    int place = 0;
    int visible = 0;
    for (int other : m_columns.GetDisplayOrder()) {
        if (other == column) {
            place = visible;
        }
        visible += m_columns.IsVisible(other) ? 1 : 0;
    }
    if (place == visible - 1) {
        section.DeleteValue(ownSection, OwnKey(own.keys, kPlaceSuffix));
    } else {
        section.WriteValue(ownSection, OwnKey(own.keys, kPlaceSuffix),
                           CViewConfigSection::ConvertInt(place));
    }
}

void ColumnLayout::LoadOwnColumn(CViewConfigSection& section, const OwnColumn& own,
                                 std::vector<int>& order)
{
    int column = 0;
    while (column < m_columns.GetColumnCount() &&
           m_columns.GetSubItemId(column) != own.keys.subItemId) {
        ++column;
    }
    if (column == m_columns.GetColumnCount()) {
        return;
    }
    const std::u16string& ownSection = own.keys.section;
    if (section.ReadValue(ownSection, OwnKey(own.keys, kHiddenSuffix), u"") == u"1" &&
        !m_columns.IsAlwaysVisible(column)) {
        m_columns.HideColumn(column);
        order.insert(order.begin(), column);
        return;
    }
    m_columns.ShowColumn(column);
    if (m_columns.IsResizable(column)) {
        const std::u16string width =
            section.ReadValue(ownSection, OwnKey(own.keys, kWidthSuffix),
                              CViewConfigSection::ConvertInt(own.defaultWidth));
        m_columns.SetWidth(column, std::max(0, CViewConfigSection::ParseInt(width)));
    }
    const auto hidden = std::count_if(order.begin(), order.end(),
                                      [this](int other) { return !m_columns.IsVisible(other); });
    const int visible = static_cast<int>(order.size() - static_cast<size_t>(hidden));
    const std::u16string place = section.ReadValue(ownSection, OwnKey(own.keys, kPlaceSuffix),
                                                   CViewConfigSection::ConvertInt(visible));
    const int position = std::clamp(CViewConfigSection::ParseInt(place), 0, visible);
    order.insert(order.begin() + hidden + position, column);
}

void ColumnLayout::ForgetOwnColumns(CViewConfigSection& section)
{
    for (const OwnColumn& own : m_own) {
        for (std::u16string_view suffix : {kHiddenSuffix, kWidthSuffix, kPlaceSuffix}) {
            section.DeleteValue(own.keys.section, OwnKey(own.keys, suffix));
        }
    }
}

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
        if (!m_columns.IsVisible(column) || FindOwn(column) != nullptr) {
            continue;
        }
        section.StoreInt(NumberedKey(u"ColumnData_", n), m_columns.GetSubItemId(column));
        section.StoreInt(NumberedKey(u"ColumnWidth_", n), m_columns.GetWidth(column));
        ++n;
    }
    section.StoreInt(u"ColumnCount", n);
    for (int column = 0; column < m_columns.GetColumnCount(); ++column) {
        if (const OwnColumn* own = FindOwn(column)) {
            SaveOwnColumn(section, *own, column);
        }
    }
    return update.end();
}

void ColumnLayout::LoadColumnLayout(CViewConfigSection& section)
{
    CViewConfigSectionDefault* attached = m_attached;
    m_attached = nullptr;
    SectionUpdate update(section);

    const int columnCount = m_columns.GetColumnCount();
    int count = std::min(section.ReadInt(u"ColumnCount", 0), kMaxStoredEntries);
    m_columns.SetRedraw(false);

    // The layout section places the columns it knows; the own columns join them afterwards.
    std::vector<bool> placed(static_cast<size_t>(columnCount), false);
    int freePositions = columnCount;
    for (int column = 0; column < columnCount; ++column) {
        if (FindOwn(column) != nullptr) {
            placed[static_cast<size_t>(column)] = true;
            --freePositions;
        }
    }
    std::vector<int> order(static_cast<size_t>(freePositions), 0);
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

    for (const OwnColumn& own : m_own) {
        LoadOwnColumn(section, own, order);
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
    ForgetOwnColumns(section);
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
