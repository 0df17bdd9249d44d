#pragma once

#include "persistence/profile_files.h"

#include <cerrno>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace wirevane::test {

// The disk files, counting each whole-file replacement; failNextReplaces makes the next
// replacements fail with the given error before touching the disk.
class RecordingProfileFiles final : public ProfileFiles {
public:
    platform::FileError read(const std::filesystem::path& path,
                             std::vector<uint8_t>& bytes) override
    {
        return m_disk.read(path, bytes);
    }

    platform::FileError replace(const std::filesystem::path& path,
                                std::span<const uint8_t> bytes) override
    {
        ++replaceCount;
        replacedPaths.push_back(path);
        if (failWith) {
            return platform::FileError::fromErrno(*failWith);
        }
        return m_disk.replace(path, bytes);
    }

    int replaceCount = 0;
    std::vector<std::filesystem::path> replacedPaths;
    std::optional<int> failWith;

private:
    DiskProfileFiles m_disk;
};

} // namespace wirevane::test
