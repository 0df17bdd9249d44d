#pragma once

#include "platform/file_error.h"

#include <cstdint>

namespace wirevane::platform {

// The FileError of a GetLastError value; ERROR_SUCCESS gives success.
FileError FileErrorFromWin32(uint32_t error);

// A file written through a symbolic link is the file the link names. A link that names nothing
// is refused, with the error its opening gave, rather than followed to create a file wherever
// it happens to point.
FileError LinkNamesNoFile(uint32_t error);

} // namespace wirevane::platform
