#include "platform/linux/shared_folder_link.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace wirevane::platform {

namespace {

// As many links as the kernel follows in one path.
constexpr int kLinkLimit = 40;

bool LeftByAnotherUser(const std::filesystem::path& link, const struct stat& linkInfo)
{
    std::filesystem::path folder = link.parent_path();
    if (folder.empty())
        folder = ".";
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return true;
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    return shared && linkInfo.st_uid != ::geteuid() && linkInfo.st_uid != info.st_uid;
}

} // namespace

FileError RefuseLinksOfOtherUsers(const std::filesystem::path& path)
{
    std::filesystem::path link = path;
    struct stat info {};
    for (int followed = 0; ::lstat(link.c_str(), &info) == 0 && S_ISLNK(info.st_mode); ++followed) {
        if (followed == kLinkLimit)
            return FileError::fromErrno(ELOOP);
        if (LeftByAnotherUser(link, info))
            return FileError{EACCES, "Not followed: another user's link in a shared folder"};
        std::error_code unreadable;
        const std::filesystem::path next = std::filesystem::read_symlink(link, unreadable);
        if (unreadable)
            return FileError::fromErrorCode(unreadable);
        link = next.is_absolute() ? next : link.parent_path() / next;
    }
    return {};
}

} // namespace wirevane::platform
