#pragma once

#include "platform/file_error.h"

#include <cstdint>

namespace wirevane::platform {

// The FileError of a GetLastError value; ERROR_SUCCESS gives success.
FileError FileErrorFromWin32(uint32_t error);

} // namespace wirevane::platform
