#pragma once

#include "core/terminal_sink.h"
#include "terminal/traffic/traffic_tap.h"
#include "terminal/traffic/traffic_time.h"

namespace wirevane {

// A terminal that tells received text, with the time it was read, from everything else.
class ReceivingTerminal : public TerminalSink {
public:
    virtual void AppendReceived(std::u16string_view text, TrafficTime readTime) = 0;
};

// The terminal as the receive handler is given it: text that shows a read's bytes goes to the
// terminal as received, with the time of that read; the handler's report lines ("[Break
// detected on input.]", ...) come between reads and go as plain text.
class ReceivedTextSink final : public TerminalSink {
public:
    ReceivedTextSink(ReceivingTerminal& terminal, TrafficTap& tap)
        : m_terminal(terminal), m_tap(tap)
    {
    }

    void AppendText(std::u16string_view text) override
    {
        if (const auto readTime = m_tap.TakeUnshownRead())
            m_terminal.AppendReceived(text, *readTime);
        else
            m_terminal.AppendText(text);
    }
    // A report is never received text, whatever read still waits to be shown.
    void AppendReport(std::u16string_view text) override { m_terminal.AppendReport(text); }
    bool IsLocalEcho() const override { return m_terminal.IsLocalEcho(); }

private:
    ReceivingTerminal& m_terminal;
    TrafficTap& m_tap;
};

} // namespace wirevane
