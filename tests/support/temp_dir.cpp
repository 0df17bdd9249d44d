#include "support/temp_dir.h"

#include <random>
#include <stdexcept>
#include <string>

namespace wirevane::test {

TempDir::TempDir()
{
    // create_directory fails on a name that exists, so the folder found is always a new one of
    // this test's own, as mkdtemp's would be.
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            base / ("wirevane-test-" + std::to_string(random() % 1000000000000ULL));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            std::filesystem::permissions(candidate, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::replace, error);
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be made");
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace wirevane::test
