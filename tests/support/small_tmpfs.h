#pragma once

#include <filesystem>
#include <string>

namespace wirevane::test {

// A tiny tmpfs mounted on a folder, for writing until the device is full. Mounting needs
// privileges a test run may not have; mounted() then says no and why() tells the reason.
class SmallTmpfs {
public:
    SmallTmpfs(const std::filesystem::path& folder, std::size_t bytes);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool mounted() const { return m_mounted; }
    const std::string& why() const { return m_why; }

private:
    std::filesystem::path m_folder;
    bool m_mounted = false;
    std::string m_why;
};

} // namespace wirevane::test
