#pragma once

#include "grid/layout/view_config_section.h"
#include "persistence/profile_store.h"

#include <memory>
#include <vector>

namespace wirevane {

// A profiles section stored in the application's active profile file. An update bracket is one
// profile session, so one layout save writes the file once (or joins the session of a larger
// operation, such as save as, that already has the file open).
class CViewConfigSectionWinApp final : public CViewConfigSectionProfiles {
public:
    CViewConfigSectionWinApp(const std::u16string& viewName, ProfileStore& store);
    ~CViewConfigSectionWinApp() override;

    std::u16string ReadValue(std::u16string_view section, std::u16string_view key,
                             std::u16string_view fallback) override;
    void WriteValue(std::u16string_view section, std::u16string_view key,
                    std::u16string_view value) override;
    void DeleteSection(std::u16string_view section) override;
    void DeleteValue(std::u16string_view section, std::u16string_view key) override;

    void BeginUpdate() override;
    platform::FileError EndUpdate() override;

private:
    ProfileStore& m_store;
    std::vector<std::unique_ptr<ProfileSession>> m_sessions;
    platform::FileError m_firstError;
};

} // namespace wirevane
