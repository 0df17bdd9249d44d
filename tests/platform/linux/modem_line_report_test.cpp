#include "core/receive_handler.h"
#include "fakes/manual_step_timer.h"
#include "fakes/recording_terminal.h"
#include "fakes/scripted_port.h"
#include "platform/linux/termios_control.h"
#include "platform/serial_codes.h"
#include "platform/serial_line_events.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/ioctl.h>

namespace wirevane::platform {
namespace {

// One modem line followed from the driver's bit through the port event to the terminal's
// report line, so that two lines swapped anywhere on the way read as the wrong line.
std::u16string ReportFor(int before, int after)
{
    RunState run;
    test::ScriptedPort port;
    test::RecordingTerminal terminal;
    test::ManualStepTimer timer;
    ReceiveHandler handler{run, port, terminal, timer};
    EXPECT_TRUE(handler.Allocate());
    const uint32_t now = ModemStatusFromLines(after);
    port.setModemStatus(now);
    const LineChange change = CompareModemLines(ModemStatusFromLines(before), now);
    handler.OnSerialMessage(change.events);
    return terminal.text();
}

TEST(ModemLineReport, EachLineChangeReadsAsItsOwnLine)
{
    EXPECT_EQ(ReportFor(0, TIOCM_CTS), u"[CTS signal change (CTS=on)]\n");
    EXPECT_EQ(ReportFor(TIOCM_CTS, 0), u"[CTS signal change (CTS=off)]\n");
    EXPECT_EQ(ReportFor(0, TIOCM_DSR), u"[DSR signal change (DSR=on)]\n");
    EXPECT_EQ(ReportFor(0, TIOCM_CD), u"[RLSD signal change (RLSD=on)]\n");
    EXPECT_EQ(ReportFor(TIOCM_CD, 0), u"[RLSD signal change (RLSD=off)]\n");
    // The ring is told when the indicator drops, and only then.
    EXPECT_EQ(ReportFor(0, TIOCM_RI), u"");
    EXPECT_EQ(ReportFor(TIOCM_RI, 0), u"[Ring detected]\n");
    // A line that stays as it was says nothing, whatever the others do.
    EXPECT_EQ(ReportFor(TIOCM_CD | TIOCM_RI, TIOCM_CD | TIOCM_RI | TIOCM_DSR),
              u"[DSR signal change (DSR=on)]\n");
}

} // namespace
} // namespace wirevane::platform
