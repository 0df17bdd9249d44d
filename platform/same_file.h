#pragma once

#include <filesystem>

namespace wirevane::platform {

// Whether two names name one file: the same file once both exist (through links, other
// spellings and case-blind names alike), the same place before. Writing to one of them would
// empty or replace the other.
bool SameFile(const std::filesystem::path& one, const std::filesystem::path& other);

} // namespace wirevane::platform
