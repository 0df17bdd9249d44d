#pragma once

#include "core/text_encoding.h"

#include <cstdint>

namespace wirevane {

// The run fields of the main window that the engine and the receive handler share. All of them
// are touched on the window thread only.
struct RunState {
    int32_t currentRow = 0;    // the row to send next, 0..99
    int32_t running = 0;       // a run is active
    int32_t endReached = 0;    // passed the last ticked row; next Send starts from the top
    int32_t cyclic = 0;        // repeat the table
    LineEndSuffix lineEnd = 2; // appended to every sent row
    int32_t waitKind = 0;      // WaitKind of the pending wait, 0 when none
    int32_t rxDone = 0;        // the awaited byte has arrived
    uint8_t matchByte = 0;     // the byte that ends a CR or NL wait
    int32_t stepMode = 0;
    int32_t detailView = 0;
    int32_t testerMode = 0;
    TextEncoding encoding = kEncodingSjis;
};

} // namespace wirevane
