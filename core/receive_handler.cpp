#include "core/receive_handler.h"

#include "core/cp932_display_table.h"
#include "core/measurement_from_tester.h"
#include "core/serial_events.h"
#include "core/text_encoding.h"

#include <array>
#include <cstring>

namespace wirevane {

namespace {

constexpr std::size_t kReadChunk = 255;

} // namespace

ReceiveHandler::ReceiveHandler(RunState& run, PortAccess& port, TerminalSink& terminal,
                               StepTimer& timer)
    : m_run(run), m_port(port), m_terminal(terminal), m_timer(timer)
{
}

// The decoding tables take tens of milliseconds to build; built here, at start-up, they do not
// hold up the first answer of a run.
bool ReceiveHandler::Allocate()
{
    Cp932DisplayTable::instance();
    return m_ring.Allocate();
}

void ReceiveHandler::ReportModemLine(const char16_t* change, const char16_t* line, uint32_t bit)
{
    uint32_t status = 0;
    const bool on = m_port.GetModemStatus(status) == 0 && (status & bit) != 0;
    m_terminal.AppendReport(std::u16string(change) + u" (" + line + u"=" + (on ? u"on" : u"off") +
                            u")");
}

void ReceiveHandler::OnSerialMessage(uint32_t eventWord)
{
    uint32_t events = eventWord & 0xFFFF;
    uint32_t errors = eventWord >> 16;
    // A device that has gone is said with EV_ERR and CE_IOE, and the loss line that follows
    // says it plainly; reported here as well, the hang-up would read as two faults of the line.
    // Error bits that came along with it are still reported.
    if ((events & EV_ERR) && (errors & CE_IOE)) {
        errors &= ~CE_IOE;
        if (errors == 0)
            events &= ~EV_ERR;
    }
    if (errors != 0)
        m_terminal.AppendReport(u"An internal error occurred.");
    if (events & EV_BREAK)
        m_terminal.AppendReport(u"Break detected on input.");
    if (events & EV_ERR)
        m_terminal.AppendReport(u"A line-status error occurred.");
    if (events & EV_RXFLAG)
        m_terminal.AppendReport(u"Event character has been received.");
    if (events & EV_RING)
        m_terminal.AppendReport(u"Ring detected");
    if (events & EV_TXEMPTY)
        m_terminal.AppendReport(u"All data is send");
    if (events & EV_CTS)
        ReportModemLine(u"CTS signal change", u"CTS", MS_CTS_ON);
    if (events & EV_DSR)
        ReportModemLine(u"DSR signal change", u"DSR", MS_DSR_ON);
    if (events & EV_RLSD)
        ReportModemLine(u"RLSD signal change", u"RLSD", MS_RLSD_ON);
    if (!(events & EV_RXCHAR))
        return;
    // A continuation already on its way reads these bytes too.
    if (m_continuationPending)
        return;
    Drain();
}

void ReceiveHandler::ContinueReading()
{
    m_continuationPending = false;
    Drain();
}

void ReceiveHandler::Drain()
{
    if (!m_later) {
        while (ReceivePass()) {
        }
        return;
    }
    for (int reads = 0; reads < kReadsPerTurn; ++reads)
        if (!ReceivePass())
            return;
    m_continuationPending = true;
    m_later();
}

// Every byte read takes part, stored or dropped from display; only the first match counts, so
// one look over the read settles it. A checked row's answer ends with the awaited byte.
void ReceiveHandler::CheckWait(std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return;
    std::size_t answerEnd = bytes.size();
    bool matches = m_run.waitKind == WaitKind::Any;
    if (matches)
        answerEnd = 1;
    if (m_run.waitKind == WaitKind::Cr || m_run.waitKind == WaitKind::Nl) {
        const void* found = std::memchr(bytes.data(), m_run.matchByte, bytes.size());
        matches = found != nullptr;
        if (matches)
            answerEnd =
                static_cast<std::size_t>(static_cast<const uint8_t*>(found) - bytes.data()) + 1;
    }
    if (m_run.answer.Take(bytes.first(answerEnd)))
        matches = true;
    if (!matches)
        return;
    m_run.answer.Close();
    m_run.waitKind = WaitKind::None;
    m_run.rxDone = true;
    m_timer.Kill();
    m_timer.Arm(0);
}

bool ReceiveHandler::ReceivePass()
{
    std::array<uint8_t, kReadChunk> chunk;
    std::size_t count = 0;
    if (m_port.Read(chunk, count) != 0)
        return false;
    // A frame's time is that of the read that completed it, taken as soon as the read returns.
    const auto readTime = std::chrono::system_clock::now();
    const std::span<const uint8_t> read(chunk.data(), count);
    m_ring.PushSome(read);
    CheckWait(read);
    if (m_run.testerMode)
        ShowTester(readTime);
    else
        ShowText();
    return count == kReadChunk;
}

void ReceiveHandler::ShowTester(std::chrono::system_clock::time_point readTime)
{
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    m_display.clear();
    while (m_ring.Count() != 0) {
        const uint8_t byte = m_ring.Take();
        m_display += kHex[byte >> 4];
        m_display += kHex[byte & 0x0F];
        m_display += u' ';
        // The high nibble numbers the byte's place in the frame from 1; 0 and 15 name no place
        // and are shown but not stored.
        const std::size_t position = byte >> 4;
        if (position == m_frame.size()) {
            m_display += u"\r\n";
            m_frame.back() = byte;
            const TesterReading reading = DecodeTesterFrame(m_frame);
            m_display += FormatTesterReading(reading);
            if (m_sink)
                if (const auto measurement = MeasurementFromTester(reading, readTime))
                    m_sink->AddMeasurement(*measurement);
        } else if (position >= 1 && position < m_frame.size()) {
            m_frame[position - 1] = byte;
        }
    }
    if (!m_display.empty())
        m_terminal.AppendText(m_display);
}

// Takes whole characters only: a character split across reads waits in the ring for its rest.
// Zero bytes are left out rather than ending the text, so nothing after them is lost. An encoding
// without a name (possible from a settings file) decodes as the menus then show it, so the ring
// never fills unseen.
void ReceiveHandler::ShowText()
{
    const TextEncoding encoding = ShownEncoding(m_run.encoding);
    const int32_t held = m_ring.Count();
    int32_t whole = 0;
    while (whole < held) {
        const uint8_t lead = m_ring.PeekAt(whole);
        // Bytes below 0x80 are one character in all three encodings.
        const int length = lead < 0x80 ? 1 : CharLength(lead, encoding);
        if (held - whole < length)
            break;
        whole += length;
    }
    m_textRun.clear();
    m_ring.TakeInto(m_textRun, whole);
    std::erase(m_textRun, uint8_t{0});
    if (!m_textRun.empty())
        m_terminal.AppendText(DecodeForDisplay(m_textRun, encoding));
}

} // namespace wirevane
