#pragma once

#include <filesystem>

namespace wirevane::test {

// The build tree the tests were built in, so tests can start the project's own executables.
std::filesystem::path binaryDir();

// Path of an executable built from tools/NAME.
std::filesystem::path toolPath(const char* name);

} // namespace wirevane::test
