#include "platform/same_file.h"

namespace wirevane::platform {

bool SameFile(const std::filesystem::path& one, const std::filesystem::path& other)
{
    std::error_code error;
    if (std::filesystem::exists(one, error) && std::filesystem::exists(other, error)) {
        const bool same = std::filesystem::equivalent(one, other, error);
        return same && !error;
    }
    // weakly_canonical leaves a relative name relative when no part of it exists yet.
    const auto place = [&error](const std::filesystem::path& name) {
        const std::filesystem::path absolute = std::filesystem::absolute(name, error);
        return error ? name : std::filesystem::weakly_canonical(absolute, error);
    };
    const std::filesystem::path oneAt = place(one);
    const std::filesystem::path otherAt = error ? other : place(other);
    return error ? one == other : oneAt == otherAt;
}

} // namespace wirevane::platform
