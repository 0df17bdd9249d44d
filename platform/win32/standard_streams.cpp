#include "platform/standard_streams.h"

#include <io.h>

namespace wirevane::platform {

// Ports and files are opened as handles here, which never take the numbers of the standard
// streams: a missing stream stays missing and writing to it fails, so there is nothing to fill.
void KeepStandardStreamsOpen() {}

// A write to a pipe whose reader has gone fails with an error here; no signal ends the program.
void OutliveAGoneReader() {}

bool IsTerminal(std::FILE* stream)
{
    return _isatty(_fileno(stream)) != 0;
}

} // namespace wirevane::platform
