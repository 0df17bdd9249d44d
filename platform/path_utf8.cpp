#include "platform/command_line.h"

namespace wirevane::platform {

std::filesystem::path PathFromUtf8(std::string_view name)
{
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace wirevane::platform
