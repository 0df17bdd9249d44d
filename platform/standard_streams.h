#pragma once

#include <cstdio>

namespace wirevane::platform {

// Gives each standard stream the program was started without (descriptor 0, 1 or 2 closed, as
// `>&-` does) the null device. Called first in main: otherwise the first port, file or wake-up
// the program opens takes that number, and what it writes to the stream (the terminal's text,
// a warning) goes into that port or wake-up instead.
void KeepStandardStreamsOpen();

// A reader of the output that goes away (`| head`) ends a write with an error the program
// reports and outlives, not with a signal that ends it before its result files are written.
void OutliveAGoneReader();

// Whether the stream goes to a terminal (a console), which acts on the control characters
// written to it, rather than into a pipe or a file.
bool IsTerminal(std::FILE* stream);

} // namespace wirevane::platform
