#include "platform/linux/shared_folder_link.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace wirevane::platform {

namespace {

// As many links as the kernel follows in one path.
constexpr int kLinkLimit = 40;

// Whether the entry (a link, or a file) is another user's in a shared folder, and not the
// folder owner's. The folder is the path the entry is in, with every link before it already
// replaced by what it names, so that stat looks at the folder itself.
bool LeftByAnotherUser(const std::filesystem::path& folder, const struct stat& entryInfo)
{
    struct stat info {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0)
        return true;
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    return shared && entryInfo.st_uid != ::geteuid() && entryInfo.st_uid != info.st_uid;
}

// Puts the parts of a path on the stack of parts still to walk, its first part on top.
void PushParts(const std::filesystem::path& path, std::vector<std::filesystem::path>& pending)
{
    std::vector<std::filesystem::path> parts(path.begin(), path.end());
    pending.insert(pending.end(), parts.rbegin(), parts.rend());
}

} // namespace

// Walks the path part by part as the kernel does, a link's target taking its place, so that a
// link in any folder of the path is looked at, not only the last part's.
FileError RefuseLinksOfOtherUsers(const std::filesystem::path& path)
{
    std::vector<std::filesystem::path> pending;
    PushParts(path, pending);
    std::filesystem::path walked;
    int followed = 0;
    while (!pending.empty()) {
        const std::filesystem::path part = std::move(pending.back());
        pending.pop_back();
        if (part.empty() || part == ".")
            continue;
        if (part.has_root_directory()) {
            walked = part;
            continue;
        }
        const std::filesystem::path next = walked / part;
        struct stat info {};
        // What is not there holds no link further on: opening it decides.
        if (::lstat(next.c_str(), &info) != 0)
            return {};
        if (!S_ISLNK(info.st_mode)) {
            walked = next;
            continue;
        }
        if (++followed > kLinkLimit)
            return FileError::fromErrno(ELOOP);
        if (LeftByAnotherUser(walked, info))
            return FileError{EACCES, "Not followed: another user's link in a shared folder"};
        std::error_code unreadable;
        const std::filesystem::path target = std::filesystem::read_symlink(next, unreadable);
        if (unreadable)
            return FileError::fromErrorCode(unreadable);
        PushParts(target, pending);
    }
    return {};
}

FileError RefuseFilesOfOtherUsers(const std::filesystem::path& file, const struct stat& info)
{
    std::error_code unresolved;
    const std::filesystem::path real = std::filesystem::canonical(file, unresolved);
    if (LeftByAnotherUser((unresolved ? file : real).parent_path(), info))
        return FileError{EACCES, "Not written: another user's file in a shared folder"};
    return {};
}

} // namespace wirevane::platform
