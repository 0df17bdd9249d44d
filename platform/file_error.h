#pragma once

#include <string>

namespace wirevane::platform {

// The outcome of a file operation: 0 on success, otherwise the system's error number and its
// message, kept so that the window that started the operation can tell the user what happened.
struct FileError {
    int code = 0;
    std::string message;

    bool ok() const { return code == 0; }

    static FileError fromErrno(int errnoValue);
};

} // namespace wirevane::platform
