#include "grid/layout/view_config_section.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace wirevane {
namespace {

constexpr std::u16string_view kListSeparator = u", ";
constexpr std::u16string_view kProfileJoin = u"__";
constexpr std::u16string_view kCurrentProfiles = u"CurrentProfiles";
constexpr std::u16string_view kActiveProfile = u"ActiveProfile";

std::u16string widen(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

std::string NarrowAscii(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x80) {
            break;
        }
        out.push_back(static_cast<char>(c));
    }
    return out;
}

int LeadingInt(std::u16string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    uint32_t number = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        number = number * 10u + static_cast<uint32_t>(text[i] - u'0');
    }
    return static_cast<int>(negative ? 0u - number : number);
}

} // namespace

CViewConfigSection::CViewConfigSection(std::u16string viewName) : m_viewName(std::move(viewName)) {}

CViewConfigSection::~CViewConfigSection() = default;

void CViewConfigSection::BeginUpdate() {}

platform::FileError CViewConfigSection::EndUpdate()
{
    return {};
}

std::u16string CViewConfigSection::ConvertBool(bool value)
{
    return value ? u"TRUE" : u"FALSE";
}

std::u16string CViewConfigSection::ConvertInt(int value)
{
    return widen(std::to_string(value));
}

std::u16string CViewConfigSection::ConvertFloat(double value, int decimals)
{
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                std::clamp(decimals, 0, 40));
    if (result.ec != std::errc()) {
        return u"0";
    }
    return widen(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

std::u16string CViewConfigSection::ConvertIntList(const std::vector<int>& values)
{
    std::vector<std::u16string> texts;
    texts.reserve(values.size());
    for (int value : values) {
        texts.push_back(ConvertInt(value));
    }
    return ConvertStringList(texts);
}

std::u16string CViewConfigSection::ConvertStringList(const std::vector<std::u16string>& values)
{
    std::u16string out;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            out += kListSeparator;
        }
        out += values[i];
    }
    return out;
}

std::vector<std::u16string> CViewConfigSection::SplitList(std::u16string_view text,
                                                          std::u16string_view separator)
{
    std::vector<std::u16string> parts;
    if (text.empty()) {
        return parts;
    }
    if (separator.empty()) {
        parts.emplace_back(text);
        return parts;
    }
    size_t start = 0;
    while (true) {
        size_t found = text.find(separator, start);
        if (found == std::u16string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, found - start));
        start = found + separator.size();
    }
}

std::u16string CViewConfigSection::CurrentSectionName()
{
    return m_viewName;
}

std::u16string CViewConfigSection::ValueOf(std::u16string_view key, std::u16string_view fallback)
{
    return ReadValue(CurrentSectionName(), key, fallback);
}

bool CViewConfigSection::ReadBool(std::u16string_view key, bool fallback)
{
    std::u16string text = ValueOf(key, ConvertBool(fallback));
    if (text == u"TRUE") {
        return true;
    }
    if (text == u"FALSE") {
        return false;
    }
    return fallback;
}

int CViewConfigSection::ReadInt(std::u16string_view key, int fallback)
{
    return LeadingInt(ValueOf(key, ConvertInt(fallback)));
}

int CViewConfigSection::ParseInt(std::u16string_view text)
{
    return LeadingInt(text);
}

double CViewConfigSection::ReadFloat(std::u16string_view key, double fallback)
{
    std::string text = NarrowAscii(ValueOf(key, ConvertFloat(fallback, 17)));
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::vector<int> CViewConfigSection::ReadIntList(std::u16string_view key)
{
    std::vector<int> values;
    for (const std::u16string& part : ReadStringList(key)) {
        values.push_back(LeadingInt(part));
    }
    return values;
}

std::vector<std::u16string> CViewConfigSection::ReadStringList(std::u16string_view key)
{
    return SplitList(ValueOf(key, u""), kListSeparator);
}

void CViewConfigSection::StoreValue(std::u16string_view key, std::u16string_view value)
{
    WriteValue(CurrentSectionName(), key, value);
}

void CViewConfigSection::StoreBool(std::u16string_view key, bool value)
{
    StoreValue(key, ConvertBool(value));
}

void CViewConfigSection::StoreInt(std::u16string_view key, int value)
{
    StoreValue(key, ConvertInt(value));
}

void CViewConfigSection::StoreFloat(std::u16string_view key, double value, int decimals)
{
    StoreValue(key, ConvertFloat(value, decimals));
}

void CViewConfigSection::StoreIntList(std::u16string_view key, const std::vector<int>& values)
{
    StoreValue(key, ConvertIntList(values));
}

void CViewConfigSection::StoreStringList(std::u16string_view key,
                                         const std::vector<std::u16string>& values)
{
    StoreValue(key, ConvertStringList(values));
}

void CViewConfigSection::ClearCurrentLayout()
{
    DeleteSection(CurrentSectionName());
}

std::u16string CViewConfigSectionDefault::CViewConfigSectionLocal::ReadValue(
    std::u16string_view, std::u16string_view key, std::u16string_view fallback)
{
    const std::u16string* found = Find(key);
    return found ? *found : std::u16string(fallback);
}

void CViewConfigSectionDefault::CViewConfigSectionLocal::WriteValue(std::u16string_view,
                                                                    std::u16string_view key,
                                                                    std::u16string_view value)
{
    m_pairs.emplace_back(key, value);
}

void CViewConfigSectionDefault::CViewConfigSectionLocal::DeleteSection(std::u16string_view)
{
    m_pairs.clear();
}

void CViewConfigSectionDefault::CViewConfigSectionLocal::DeleteValue(std::u16string_view,
                                                                     std::u16string_view key)
{
    std::erase_if(m_pairs, [key](const auto& pair) { return pair.first == key; });
}

const std::u16string*
CViewConfigSectionDefault::CViewConfigSectionLocal::Find(std::u16string_view key) const
{
    auto found = std::find_if(m_pairs.begin(), m_pairs.end(),
                              [key](const auto& pair) { return pair.first == key; });
    return found == m_pairs.end() ? nullptr : &found->second;
}

CViewConfigSectionDefault::CViewConfigSectionDefault(const std::u16string& viewName)
    : CViewConfigSection(viewName), m_defaults(viewName)
{
}

std::u16string CViewConfigSectionDefault::ValueOf(std::u16string_view key,
                                                  std::u16string_view fallback)
{
    const std::u16string* byDefault = m_defaults.Find(key);
    return ReadValue(CurrentSectionName(), key,
                     byDefault ? std::u16string_view(*byDefault) : fallback);
}

void CViewConfigSectionDefault::RestoreDefaults()
{
    DeleteSection(CurrentSectionName());
    for (const auto& [key, value] : m_defaults.Pairs()) {
        StoreValue(key, value);
    }
}

std::u16string CViewConfigSectionProfiles::CurrentSectionName()
{
    if (!m_currentSection.empty() && m_currentSection != ViewName()) {
        return m_currentSection;
    }
    std::u16string active = ReadValue(ViewName(), kActiveProfile, u"");
    if (active.empty()) {
        std::vector<std::u16string> profiles = ProfileList();
        if (!profiles.empty()) {
            active = profiles.front();
        }
    }
    m_currentSection = ProfileSectionName(ViewName(), active);
    return m_currentSection;
}

void CViewConfigSectionProfiles::ClearCurrentLayout()
{
    std::u16string current = CurrentSectionName();
    if (current != ViewName()) {
        DeleteSection(current);
        return;
    }
    std::u16string profiles = ReadValue(ViewName(), kCurrentProfiles, u"");
    std::u16string active = ReadValue(ViewName(), kActiveProfile, u"");
    DeleteSection(ViewName());
    WriteValue(ViewName(), kCurrentProfiles, profiles);
    WriteValue(ViewName(), kActiveProfile, active);
}

std::pair<std::u16string, std::u16string>
CViewConfigSectionProfiles::SplitSectionName(std::u16string_view section)
{
    size_t join = section.find(kProfileJoin);
    if (join == std::u16string_view::npos) {
        return {std::u16string(section), std::u16string()};
    }
    return {std::u16string(section.substr(0, join)),
            std::u16string(section.substr(join + kProfileJoin.size()))};
}

std::u16string CViewConfigSectionProfiles::ProfileSectionName(std::u16string_view view,
                                                              std::u16string_view profile)
{
    std::u16string name(view);
    if (!profile.empty()) {
        name += kProfileJoin;
        name += profile;
    }
    return name;
}

std::vector<std::u16string> CViewConfigSectionProfiles::ProfileList()
{
    return SplitList(ReadValue(ViewName(), kCurrentProfiles, u""), kListSeparator);
}

std::u16string CViewConfigSectionProfiles::ActiveProfileName()
{
    return SplitSectionName(CurrentSectionName()).second;
}

void CViewConfigSectionProfiles::ActivateProfile(std::u16string_view name)
{
    WriteValue(ViewName(), kActiveProfile, name);
    m_currentSection = ProfileSectionName(ViewName(), name);
    if (!name.empty()) {
        RegisterProfile(name);
    }
}

void CViewConfigSectionProfiles::RegisterProfile(std::u16string_view name)
{
    std::vector<std::u16string> profiles = ProfileList();
    if (std::find(profiles.begin(), profiles.end(), name) != profiles.end()) {
        return;
    }
    profiles.emplace_back(name);
    WriteValue(ViewName(), kCurrentProfiles, ConvertStringList(profiles));
}

void CViewConfigSectionProfiles::RemoveProfile(std::u16string_view name)
{
    // Without a name the section would be the view's own, with every profile's keys.
    if (name.empty()) {
        return;
    }
    DeleteSection(ProfileSectionName(ViewName(), name));
    std::vector<std::u16string> profiles = ProfileList();
    std::erase(profiles, std::u16string(name));
    WriteValue(ViewName(), kCurrentProfiles, ConvertStringList(profiles));
}

} // namespace wirevane
