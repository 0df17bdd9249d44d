#include "platform/linux/private_folder.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::platform {

std::string WhyNotPrivate(const std::filesystem::path& folder)
{
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0)
        return std::strerror(errno);
    if (!S_ISDIR(info.st_mode))
        return "not a folder";
    if (info.st_uid != geteuid())
        return "the folder belongs to another user";
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return "other users may write into the folder";
    return {};
}

int MakePrivateFolders(const std::filesystem::path& folder)
{
    std::filesystem::path partial;
    for (const std::filesystem::path& part : folder) {
        partial /= part;
        if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
    }
    return 0;
}

} // namespace wirevane::platform
