#pragma once

#include <cstdint>

namespace wirevane::platform {

// The driver's running counts of modem-line changes and line errors (Linux TIOCGICOUNT).
struct LineCounters {
    uint32_t cts = 0;
    uint32_t dsr = 0;
    uint32_t ring = 0;
    uint32_t dcd = 0;
    uint32_t frame = 0;
    uint32_t overrun = 0;
    uint32_t parity = 0;
    uint32_t breaks = 0;
    uint32_t bufferOverrun = 0;
};

// What happened between two looks at the line: SerialEvent bits and SerialError bits.
struct LineChange {
    uint32_t events = 0;
    uint32_t errors = 0;
};

// Any count that moved is one event; errors also name their SerialError bit, and a break is
// both EV_BREAK and CE_BREAK. Counts wrap, so "moved" is inequality, not growth.
LineChange CompareCounters(const LineCounters& before, const LineCounters& after);

// For drivers that keep no counters: the modem status words (MS_* bits) of two looks. A
// change that went and came back between the looks is missed.
LineChange CompareModemLines(uint32_t before, uint32_t after);

} // namespace wirevane::platform
