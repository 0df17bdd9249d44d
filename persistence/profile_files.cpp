#include "persistence/profile_files.h"

#include "platform/atomic_file.h"

namespace wirevane {

platform::FileError DiskProfileFiles::Read(const std::filesystem::path& path,
                                           std::vector<uint8_t>& bytes)
{
    return platform::ReadWholeFile(path, bytes);
}

platform::FileError DiskProfileFiles::Replace(const std::filesystem::path& path,
                                              std::span<const uint8_t> bytes)
{
    std::error_code error;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), error);
        if (error) {
            return platform::FileError::fromErrorCode(error);
        }
    }
    return platform::ReplaceFileAtomically(path, bytes);
}

} // namespace wirevane
