#include "support/temp_dir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace wirevane::test {

TempDir::TempDir()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "wirevane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace wirevane::test
