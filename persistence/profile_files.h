#pragma once

#include "platform/file_error.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace wirevane {

// Whole-file reads and replacements under the profile store. The disk implementation replaces
// atomically; tests wrap it to count or interrupt writes.
class ProfileFiles {
public:
    virtual ~ProfileFiles() = default;

    // A missing file reports notFound().
    virtual platform::FileError Read(const std::filesystem::path& path,
                                     std::vector<uint8_t>& bytes) = 0;
    virtual platform::FileError Replace(const std::filesystem::path& path,
                                        std::span<const uint8_t> bytes) = 0;
};

// Files on the disk. A replacement creates a missing folder first (the per-user settings folder
// does not exist before the first save) and then swaps the whole file in at once.
class DiskProfileFiles final : public ProfileFiles {
public:
    platform::FileError Read(const std::filesystem::path& path,
                             std::vector<uint8_t>& bytes) override;
    platform::FileError Replace(const std::filesystem::path& path,
                                std::span<const uint8_t> bytes) override;
};

} // namespace wirevane
