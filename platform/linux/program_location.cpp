#include "platform/program_location.h"

#include <unistd.h>

namespace wirevane::platform {

std::filesystem::path executableFolder()
{
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::filesystem::current_path(error);
    }
    return program.parent_path();
}

bool isWritableFolder(const std::filesystem::path& folder)
{
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace wirevane::platform
