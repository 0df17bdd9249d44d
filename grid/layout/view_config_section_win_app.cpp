#include "grid/layout/view_config_section_win_app.h"

namespace wirevane {

CViewConfigSectionWinApp::CViewConfigSectionWinApp(const std::u16string& viewName,
                                                   ProfileStore& store)
    : CViewConfigSectionProfiles(viewName), m_store(store)
{
}

CViewConfigSectionWinApp::~CViewConfigSectionWinApp() = default;

std::u16string CViewConfigSectionWinApp::ReadValue(std::u16string_view section,
                                                   std::u16string_view key,
                                                   std::u16string_view fallback)
{
    return m_store.readString(section, key, fallback);
}

void CViewConfigSectionWinApp::WriteValue(std::u16string_view section, std::u16string_view key,
                                          std::u16string_view value)
{
    platform::FileError error = m_store.writeString(section, key, value);
    if (m_firstError.ok()) {
        m_firstError = error;
    }
}

void CViewConfigSectionWinApp::DeleteSection(std::u16string_view section)
{
    platform::FileError error = m_store.deleteSection(section);
    if (m_firstError.ok()) {
        m_firstError = error;
    }
}

void CViewConfigSectionWinApp::DeleteValue(std::u16string_view section, std::u16string_view key)
{
    if (!m_store.hasKey(section, key)) {
        return;
    }
    platform::FileError error = m_store.deleteKey(section, key);
    if (m_firstError.ok()) {
        m_firstError = error;
    }
}

void CViewConfigSectionWinApp::BeginUpdate()
{
    if (m_sessions.empty()) {
        m_firstError = {};
    }
    m_sessions.push_back(std::make_unique<ProfileSession>(m_store));
}

platform::FileError CViewConfigSectionWinApp::EndUpdate()
{
    if (m_sessions.empty()) {
        return {};
    }
    platform::FileError error = m_sessions.back()->commit();
    m_sessions.pop_back();
    if (m_firstError.ok()) {
        m_firstError = error;
    }
    return m_firstError;
}

} // namespace wirevane
