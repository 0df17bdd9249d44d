#include "support/test_paths.h"

namespace wirevane::test {

std::filesystem::path binaryDir()
{
    return WIREVANE_BINARY_DIR;
}

std::filesystem::path toolPath(const char* name)
{
    return binaryDir() / "tools" / name / name;
}

} // namespace wirevane::test
