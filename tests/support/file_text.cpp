#include "support/file_text.h"

#include <fstream>
#include <iterator>

namespace wirevane::test {

std::string FileText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace wirevane::test
