#include "platform/serial_line_events.h"

#include "platform/serial_codes.h"

namespace wirevane::platform {

LineChange CompareCounters(const LineCounters& before, const LineCounters& after)
{
    LineChange change;
    auto note = [&change](uint32_t was, uint32_t now, uint32_t event, uint32_t error) {
        if (was != now) {
            change.events |= event;
            change.errors |= error;
        }
    };
    note(before.cts, after.cts, EV_CTS, 0);
    note(before.dsr, after.dsr, EV_DSR, 0);
    note(before.dcd, after.dcd, EV_RLSD, 0);
    note(before.ring, after.ring, EV_RING, 0);
    note(before.breaks, after.breaks, EV_BREAK, CE_BREAK);
    note(before.frame, after.frame, EV_ERR, CE_FRAME);
    note(before.parity, after.parity, EV_ERR, CE_RXPARITY);
    note(before.overrun, after.overrun, EV_ERR, CE_OVERRUN);
    note(before.bufferOverrun, after.bufferOverrun, EV_ERR, CE_RXOVER);
    return change;
}

LineChange CompareModemLines(uint32_t before, uint32_t after)
{
    const uint32_t changed = before ^ after;
    LineChange change;
    if (changed & MS_CTS_ON)
        change.events |= EV_CTS;
    if (changed & MS_DSR_ON)
        change.events |= EV_DSR;
    if (changed & MS_RLSD_ON)
        change.events |= EV_RLSD;
    // A ring is reported when the indicator goes off again, as UARTs report the trailing edge.
    if ((before & MS_RING_ON) && !(after & MS_RING_ON))
        change.events |= EV_RING;
    return change;
}

} // namespace wirevane::platform
