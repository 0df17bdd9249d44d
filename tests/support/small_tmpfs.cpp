#include "support/small_tmpfs.h"

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace wirevane::test {

SmallTmpfs::SmallTmpfs(const std::filesystem::path& folder, std::size_t bytes) : m_folder(folder)
{
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0)
        m_mounted = true;
    else
        m_why = "cannot mount a tmpfs on " + folder.string() + ": " + std::strerror(errno);
}

SmallTmpfs::~SmallTmpfs()
{
    if (m_mounted)
        ::umount2(m_folder.c_str(), MNT_DETACH);
}

} // namespace wirevane::test
