#include "platform/standard_streams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace wirevane::platform {

void KeepStandardStreamsOpen()
{
    for (int stream = 0; stream <= 2; ++stream) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int null = open("/dev/null", stream == 0 ? O_RDONLY : O_WRONLY);
        // The lowest free number is taken, which is this one once those below it are open.
        if (null > stream) {
            dup2(null, stream);
            close(null);
        }
    }
}

} // namespace wirevane::platform
