#pragma once

#include <filesystem>
#include <string>

namespace wirevane::test {

// A file's whole content, byte for byte; empty when it cannot be read.
std::string FileText(const std::filesystem::path& file);

} // namespace wirevane::test
