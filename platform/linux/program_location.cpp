#include "platform/program_location.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <pwd.h>
#include <string_view>
#include <unistd.h>

namespace wirevane::platform {

namespace {

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

bool IsWithin(const std::filesystem::path& folder, const std::filesystem::path& root)
{
    auto [rootEnd, ignored] = std::mismatch(root.begin(), root.end(), folder.begin(), folder.end());
    return rootEnd == root.end();
}

} // namespace

std::filesystem::path ExecutableFolder()
{
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::filesystem::current_path(error);
    }
    return program.parent_path();
}

bool IsWritableFolder(const std::filesystem::path& folder)
{
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::filesystem::path UserSettingsFolder()
{
    // A relative XDG_CONFIG_HOME is invalid by the XDG rules and is ignored.
    if (const char* config = Variable("XDG_CONFIG_HOME");
        config && std::filesystem::path(config).is_absolute())
        return std::filesystem::path(config) / "wirevane";
    if (const char* home = Variable("HOME"))
        return std::filesystem::path(home) / ".config" / "wirevane";
    if (const passwd* entry = getpwuid(geteuid()); entry != nullptr && entry->pw_dir != nullptr)
        return std::filesystem::path(entry->pw_dir) / ".config" / "wirevane";
    return {};
}

bool IsSystemProgramFolder(const std::filesystem::path& folder)
{
    // The folders the file-system hierarchy gives to the system's programs and their libraries;
    // /opt and /home hold programs a user or an administrator put there on purpose.
    static const std::array<std::string_view, 7> kSystemRoots = {
        "/usr", "/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32"};
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(folder, error);
    if (error)
        resolved = folder.lexically_normal();
    if (!resolved.has_filename())
        resolved = resolved.parent_path();
    for (std::string_view root : kSystemRoots) {
        if (IsWithin(resolved, root))
            return true;
    }
    return false;
}

} // namespace wirevane::platform
