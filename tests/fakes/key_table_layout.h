#pragma once

#include "persistence/profile_store.h"
#include "persistence/settings_interfaces.h"

#include <filesystem>
#include <string>
#include <vector>

namespace wirevane::test {

// The table's column layout reduced to one key of its own, written to and read from whichever
// file is active when the command calls it; each call is logged into the host's log.
class KeyTableLayout final : public TableLayoutStore {
public:
    KeyTableLayout(ProfileStore& store, std::vector<std::string>& log) : m_store(store), m_log(log)
    {
    }

    void LoadColumnLayout() override
    {
        m_log.emplace_back("load layout");
        pathsSeen.push_back(m_store.activePath());
        loadedWidth = m_store.readInt(u"Profile ListTX", u"ColumnWidth_0", -1);
    }
    void SaveColumnLayout() override
    {
        m_log.emplace_back("save layout");
        pathsSeen.push_back(m_store.activePath());
        m_store.writeInt(u"Profile ListTX", u"ColumnWidth_0", width);
    }

    int32_t width = 42;
    int32_t loadedWidth = -1;
    std::vector<std::filesystem::path> pathsSeen;

private:
    ProfileStore& m_store;
    std::vector<std::string>& m_log;
};

} // namespace wirevane::test
