#include "platform/linux/dangling_link.h"

#include <cerrno>

namespace wirevane::platform {

FileError LinkNamesNoFile()
{
    return FileError{ENOENT, "The link names no file; nothing is created through it"};
}

} // namespace wirevane::platform
