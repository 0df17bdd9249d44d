#pragma once

#include <string>
#include <system_error>

namespace wirevane::platform {

// The outcome of a file operation: 0 on success, otherwise the system's own error number (errno
// on Linux, the GetLastError value on Windows) and its message, kept so that the window that
// started the operation can tell the user what happened. Callers that act on a kind of failure
// ask notFound() or accessDenied() rather than compare numbers of one system.
struct FileError {
    int code = 0;
    std::string message;

    bool ok() const { return code == 0; }
    // The file, or a folder on its path, does not exist.
    bool notFound() const;
    // The system refused this user, or the file is marked read-only.
    bool accessDenied() const;

    static FileError fromErrno(int errnoValue);
    // An error of the standard library (std::filesystem), whichever category it carries.
    static FileError fromErrorCode(const std::error_code& error);
    static FileError NotFound();
    static FileError AccessDenied();
    // The system's own "file too large", with the reason given.
    static FileError TooLarge(std::string reason);
};

} // namespace wirevane::platform
