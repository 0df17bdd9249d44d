#include "tools/wirevane-sim/script_source.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace wirevane::sim {

std::optional<std::string> ReadScriptText(const std::string& path, std::string& message)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        message = "cannot read the script " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::string text;
    bool failed = false;
    char chunk[65536];
    while (!failed) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            message = "cannot read the script " + path + ": " + std::strerror(errno);
            failed = true;
        } else if (got == 0) {
            break;
        } else if (text.size() + static_cast<std::size_t>(got) > kLongestScript) {
            message = "the script " + path + " is longer than " +
                      std::to_string(kLongestScript >> 20) + " MiB";
            failed = true;
        } else {
            text.append(chunk, static_cast<std::size_t>(got));
        }
    }
    close(fd);
    if (failed)
        return std::nullopt;
    return text;
}

} // namespace wirevane::sim
