#include "platform/standard_streams.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace wirevane::platform {

void KeepStandardStreamsOpen()
{
    for (int stream = 0; stream <= 2; ++stream) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open takes the lowest free number: this one, as those below it are open by now.
        const int null = open("/dev/null", stream == 0 ? O_RDONLY : O_WRONLY);
        if (null == -1)
            return;
    }
}

void OutliveAGoneReader()
{
    std::signal(SIGPIPE, SIG_IGN);
}

bool IsTerminal(std::FILE* stream)
{
    return isatty(fileno(stream)) == 1;
}

} // namespace wirevane::platform
