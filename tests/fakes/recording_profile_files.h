#pragma once

#include "persistence/profile_files.h"
#include "platform/atomic_file.h"

#include <cerrno>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace wirevane::test {

// The disk files, recording each whole-file read and replacement. failWith makes replacements fail
// with that error before touching the disk; interruptWith lets them write the finished temporary
// file and then fail with that error just before the rename, as a crash or a full disk there would.
class RecordingProfileFiles final : public ProfileFiles {
public:
    platform::FileError Read(const std::filesystem::path& path,
                             std::vector<uint8_t>& bytes) override
    {
        readPaths.push_back(path);
        return m_disk.Read(path, bytes);
    }

    platform::FileError Replace(const std::filesystem::path& path,
                                std::span<const uint8_t> bytes) override
    {
        ++replaceCount;
        replacedPaths.push_back(path);
        if (failWith)
            return platform::FileError::fromErrno(*failWith);
        if (interruptWith) {
            int error = *interruptWith;
            return platform::ReplaceFileAtomically(path, bytes,
                                                   [error](const std::filesystem::path&) {
                                                       return platform::FileError::fromErrno(error);
                                                   });
        }
        return m_disk.Replace(path, bytes);
    }

    std::vector<std::filesystem::path> readPaths;
    int replaceCount = 0;
    std::vector<std::filesystem::path> replacedPaths;
    std::optional<int> failWith;
    std::optional<int> interruptWith;

private:
    DiskProfileFiles m_disk;
};

} // namespace wirevane::test
