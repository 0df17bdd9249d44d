#include "platform/linux/not_regular_file.h"

#include <cerrno>
#include <string>

namespace wirevane::platform {
namespace {

const char* KindOf(mode_t mode)
{
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
    if (S_ISCHR(mode)) {
        return "a character device";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    return "not a regular file";
}

} // namespace

FileError NotARegularFile(const struct stat& info)
{
    return FileError{EINVAL, std::string("Not a regular file (") + KindOf(info.st_mode) + ")"};
}

} // namespace wirevane::platform
