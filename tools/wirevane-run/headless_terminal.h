#pragma once

#include "core/terminal_sink.h"
#include "terminal/traffic/line_stamper.h"
#include "terminal/traffic/received_text_sink.h"
#include "terminal/traffic/traffic_log.h"
#include "tools/wirevane-run/line_number_feed.h"

#include <cstdio>
#include <optional>

namespace wirevane::runner {

// The terminal of a headless run as the window's terminal treats its text: received lines
// stamped with their read time when asked, everything written to the output and to the log
// as shown (or the log keeping the raw traffic instead). A log that cannot be written stops;
// the run goes on, the output and the error stream say why, and failed() tells the exit code.
class HeadlessTerminal final : public ReceivingTerminal {
public:
    HeadlessTerminal(TerminalSink& output, std::FILE* errors, bool timestamps);

    platform::FileError StartLog(const LogChoice& choice);
    // Writes what the log gathered; the log's outcome is then in failed().
    void StopLog();
    void FlushLog();
    bool failed() const { return m_failed; }
    // Received text goes to the feed as well, as it came, without time stamps. Null: none.
    void SetLineFeed(LineNumberFeed* feed) { m_lines = feed; }

    void AppendText(std::u16string_view text) override;
    bool IsLocalEcho() const override { return m_output.IsLocalEcho(); }
    void AppendReceived(std::u16string_view text, TrafficTime readTime) override;

    void OnTraffic(TrafficDirection direction, std::span<const uint8_t> bytes, TrafficTime time);

private:
    void Show(std::u16string_view shown);
    void Check(bool logOk);

    TerminalSink& m_output;
    std::FILE* m_errors;
    bool m_timestamps;
    LineStamper m_stamper;
    TrafficLog m_log;
    bool m_failed = false;
    LineNumberFeed* m_lines = nullptr;
};

} // namespace wirevane::runner
