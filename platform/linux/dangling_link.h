#pragma once

#include "platform/file_error.h"

namespace wirevane::platform {

// A file written through a symbolic link is the file the link names. A link that names nothing
// is refused rather than followed to create a file wherever it happens to point.
FileError LinkNamesNoFile();

} // namespace wirevane::platform
