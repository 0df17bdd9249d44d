#include "tools/wirevane-run/headless_terminal.h"

#include "platform/utf_text.h"

namespace wirevane::runner {

HeadlessTerminal::HeadlessTerminal(TerminalSink& output, std::FILE* errors, bool timestamps)
    : m_output(output), m_errors(errors), m_timestamps(timestamps)
{
}

platform::FileError HeadlessTerminal::StartLog(const LogChoice& choice)
{
    return m_log.Start(choice);
}

void HeadlessTerminal::StopLog()
{
    if (m_log.running())
        Check(m_log.Stop().ok());
}

void HeadlessTerminal::FlushLog()
{
    Check(m_log.FlushIfDue(LogFile::Clock::now()));
}

void HeadlessTerminal::Check(bool logOk)
{
    if (logOk || m_failed)
        return;
    m_failed = true;
    // What the run has shown goes out first, so that the two streams keep their order where
    // they meet, as on one terminal.
    std::fflush(nullptr);
    const std::string file = m_log.choice().file.string();
    const std::string reason = m_log.failure() ? m_log.failure()->message : "write failed";
    std::fprintf(m_errors, "wirevane-run: the log %s stopped: %s; the run goes on\n", file.c_str(),
                 reason.c_str());
    std::fflush(m_errors);
    AppendText(u"[Log to " + m_log.choice().file.u16string() + u" stopped: " +
               platform::DecodeUtf8(
                   std::span(reinterpret_cast<const uint8_t*>(reason.data()), reason.size())) +
               u".]\n");
}

void HeadlessTerminal::Show(std::u16string_view shown)
{
    m_output.AppendText(shown);
    Check(m_log.OnShown(shown, LogFile::Clock::now()));
}

void HeadlessTerminal::AppendText(std::u16string_view text)
{
    m_stamper.Follow(text);
    Show(text);
}

void HeadlessTerminal::AppendReceived(std::u16string_view text, TrafficTime readTime)
{
    if (m_lines)
        m_lines->Take(text, readTime);
    if (!m_timestamps) {
        AppendText(text);
        return;
    }
    Show(m_stamper.Stamp(text, LineStamp(readTime)));
}

void HeadlessTerminal::OnTraffic(TrafficDirection direction, std::span<const uint8_t> bytes,
                                 TrafficTime time)
{
    Check(m_log.OnTraffic(direction, bytes, time, LogFile::Clock::now()));
}

} // namespace wirevane::runner
