#pragma once

#include "platform/file_error.h"

#include <sys/stat.h>

namespace wirevane::platform {

// Replacing or writing into a device node, a FIFO or a socket as if it were a file would break
// whatever uses it, and opening one could block or never end: such a path is refused and left
// alone, with what it is named in the reason.
FileError NotARegularFile(const struct stat& info);

} // namespace wirevane::platform
