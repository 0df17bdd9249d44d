#include "platform/serial_codes.h"
#include "platform/serial_line_events.h"

#include <gtest/gtest.h>

namespace wirevane::platform {
namespace {

TEST(LineCounters, EachMovedCountNamesItsEventAndError)
{
    const LineCounters before{1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(CompareCounters(before, before).events, 0u);
    EXPECT_EQ(CompareCounters(before, before).errors, 0u);

    struct Case {
        uint32_t LineCounters::*count;
        uint32_t events;
        uint32_t errors;
    };
    const Case cases[] = {{&LineCounters::cts, EV_CTS, 0},
                          {&LineCounters::dsr, EV_DSR, 0},
                          {&LineCounters::dcd, EV_RLSD, 0},
                          {&LineCounters::ring, EV_RING, 0},
                          {&LineCounters::breaks, EV_BREAK, CE_BREAK},
                          {&LineCounters::frame, EV_ERR, CE_FRAME},
                          {&LineCounters::parity, EV_ERR, CE_RXPARITY},
                          {&LineCounters::overrun, EV_ERR, CE_OVERRUN},
                          {&LineCounters::bufferOverrun, EV_ERR, CE_RXOVER}};
    for (const Case& c : cases) {
        LineCounters after = before;
        after.*c.count += 1;
        const LineChange change = CompareCounters(before, after);
        EXPECT_EQ(change.events, c.events);
        EXPECT_EQ(change.errors, c.errors);
    }
}

TEST(LineCounters, AFrameErrorWithAParityErrorAndAWrappedCountAllShow)
{
    LineCounters before;
    before.frame = 0xFFFFFFFF;
    LineCounters after;
    after.frame = 0; // wrapped
    after.parity = 1;
    after.cts = 2;
    const LineChange change = CompareCounters(before, after);
    EXPECT_EQ(change.events, EV_ERR | EV_CTS);
    EXPECT_EQ(change.errors, CE_FRAME | CE_RXPARITY);
}

TEST(ModemLines, ChangesOfCtsDsrAndCarrierAndTheEndOfARing)
{
    EXPECT_EQ(CompareModemLines(0, MS_CTS_ON).events, EV_CTS);
    EXPECT_EQ(CompareModemLines(MS_CTS_ON | MS_DSR_ON, 0).events, EV_CTS | EV_DSR);
    EXPECT_EQ(CompareModemLines(0, MS_RLSD_ON).events, EV_RLSD);
    EXPECT_EQ(CompareModemLines(0, MS_RING_ON).events, 0u);
    EXPECT_EQ(CompareModemLines(MS_RING_ON, 0).events, EV_RING);
    EXPECT_EQ(CompareModemLines(MS_DSR_ON, MS_DSR_ON).events, 0u);
    EXPECT_EQ(CompareModemLines(0, MS_CTS_ON).errors, 0u);
}

} // namespace
} // namespace wirevane::platform
