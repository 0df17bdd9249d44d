#include "core/sequence_engine.h"

#include "core/answer_timeout_text.h"
#include "core/check_report_text.h"
#include "core/send_failure_text.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <string>
#include <utility>

namespace wirevane {

namespace {

constexpr std::u16string_view kSent = u"送信済";
constexpr std::u16string_view kSentReceived = u"送信済 受信済";
constexpr std::u16string_view kWaitingSuffix = u" 受信待";
constexpr std::u16string_view kHaltSuffix = u" 停止";
constexpr std::u16string_view kStepStopSuffix = u" ｽﾃｯﾌﾟ停止";
// The words of the terminal's progress markers.
constexpr std::u16string_view kSentMarker = kSent;
constexpr std::u16string_view kWaitingMarker = u"受信待";
constexpr std::u16string_view kReceivedMarker = u"受信済";
constexpr std::u16string_view kHaltMarker = u"停止";
constexpr std::u16string_view kStepStopMarker = u"ｽﾃｯﾌﾟ停止";
constexpr std::u16string_view kButtonArraySent = u"    送信済";
constexpr std::u16string_view kPassStatus = u"OK";
constexpr std::u16string_view kFailStatus = u"NG";

std::u16string_view EchoOfLineEnd(LineEndSuffix suffix)
{
    switch (suffix) {
    case LineEndSuffix::Cr:
        return u"\r";
    case LineEndSuffix::Lf:
        return u"\n";
    default:
        return u"\r\n";
    }
}

} // namespace

SequenceEngine::SequenceEngine(SendTable& table, RunState& run, PortAccess& port,
                               TerminalSink& terminal, StepTimer& timer, RunObserver& observer)
    : m_table(table), m_run(run), m_port(port), m_terminal(terminal), m_timer(timer),
      m_observer(observer)
{
}

void SequenceEngine::OnSend()
{
    bool restart = m_run.endReached;
    if (!restart)
        restart = !m_table.FindNextTicked(m_run.currentRow).has_value();
    if (restart) {
        m_run.endReached = false;
        m_table.ClearMarkers();
        OnReset();
    }
    m_run.running = true;
    m_observer.UpdateRunControls(true);
    if (!m_table.FindNextTicked(0)) {
        OnReset();
        return;
    }
    m_timer.Arm(0);
}

// A device answer that arrives after Stop must not restart the run, so a pending wait ends here.
// The row pointer still names the waiting row: the next Send sends it again.
void SequenceEngine::CancelWait()
{
    m_run.waitKind = WaitKind::None;
    m_run.rxDone = false;
    m_run.answer.Close();
    m_checkPending = false;
    m_checkTimedOut = false;
    StopAnswerTime();
}

void SequenceEngine::SetAnswerTimeout(StepTimer* timer, int limitMs)
{
    if (timer != m_answerTimer)
        StopAnswerTime();
    m_answerTimer = timer;
    m_answerLimitMs = std::max(limitMs, 0);
}

// The time counts from the moment the bytes are out: a line held back by flow control is the
// port's failure to report, not the device's silence.
void SequenceEngine::StartAnswerTime()
{
    const int limitMs = m_answerLimitMs > 0 ? m_answerLimitMs
                        : m_checkPending    ? kCheckTimeoutMs
                                            : 0;
    if (m_answerTimer != nullptr && limitMs > 0)
        m_answerTimer->Arm(limitMs);
}

void SequenceEngine::StopAnswerTime()
{
    if (m_answerTimer != nullptr)
        m_answerTimer->Kill();
}

bool SequenceEngine::OnAnswerTimer()
{
    StopAnswerTime();
    if (m_checkPending && m_run.running && !m_run.rxDone && !m_writing) {
        m_checkTimedOut = true;
        m_run.answer.Close();
        m_run.waitKind = WaitKind::None;
        m_run.rxDone = true;
        m_timer.Kill();
        m_timer.Arm(0);
        return false;
    }
    if (!m_run.running || m_run.waitKind == WaitKind::None || m_run.rxDone || m_writing ||
        m_answerLimitMs <= 0)
        return false;
    const int row = m_run.currentRow;
    StopOnRow(row, NoAnswerText(row, m_answerLimitMs));
    return true;
}

void SequenceEngine::CancelWrite()
{
    if (!m_writing)
        return;
    m_writing = false;
    ++m_writeToken;
    m_port.CancelWrites();
}

void SequenceEngine::OnStop()
{
    if (EndRun())
        ReportChecks();
}

bool SequenceEngine::EndRun()
{
    const bool wasRunning = m_run.running;
    CancelWrite();
    m_run.running = false;
    m_observer.UpdateRunControls(false);
    m_timer.Kill();
    CancelWait();
    return wasRunning;
}

void SequenceEngine::OnReset()
{
    m_checksPassed = 0;
    m_checksFailed = 0;
    m_values.Clear();
    CancelWrite();
    m_run.running = false;
    m_observer.UpdateRunControls(false);
    m_run.endReached = false;
    m_timer.Kill();
    CancelWait();
    m_table.ClearMarkers();
    m_run.currentRow = 0;
    m_table.ShowCurrentRow(0);
}

void SequenceEngine::OnStepTimer(unsigned timerId)
{
    if (timerId != kSequenceTimerId || m_writing)
        return;
    m_timer.Kill();
    // An answered row without a pause leads straight on to the next row in this same turn:
    // a tick through the loop in between shows nothing and only makes every answer's follow-up
    // later. A pause, a stop or the end of the run keep their tick.
    if (m_run.rxDone && !ReceiveStep())
        return;
    SendStep();
}

// A negative delay would be read by a platform timer as an enormous period; it means "no pause".
void SequenceEngine::ArmForDelay(int delay)
{
    m_armedDelay = std::max(delay, 0);
    m_timer.Arm(m_armedDelay);
}

bool SequenceEngine::ReceiveStep()
{
    StopAnswerTime();
    m_run.rxDone = false;
    const int row = m_run.currentRow;
    const RowEnding cells = m_table.ReadRowEnding(row);
    std::u16string status(kSentReceived);
    m_table.SetRowImage(row, kRowImageSent);
    const bool detail = m_run.detailView;
    // A check that ran out of time received no awaited byte.
    bool marked = cells.waitKind != WaitKind::None && detail && !m_checkTimedOut;
    if (marked) {
        m_table.SetRowStatus(row, status);
        m_terminal.AppendProgress(kReceivedMarker);
    }
    const std::optional<bool> verdict = DecideCheck(row);
    marked = marked || (verdict && detail);
    const bool halt = cells.halt != 0;
    const bool failStop = verdict == false && m_run.stopOnFail;
    // The status just written into the select cell ticks the row, whatever the cell held.
    // A tick that would come at once is not armed: the caller goes straight on while the run
    // does, and the timer's start and stop would be all that tick cost.
    const int pause = cells.sendFlag == 1 || marked ? cells.delay : 0;
    if (pause > 0)
        ArmForDelay(pause);
    else
        m_armedDelay = 0;
    const bool step = m_run.stepMode;
    if (step || halt || failStop) {
        const bool ended = EndRun();
        if (halt) {
            status = kHaltSuffix;
            m_table.SetRowImage(row, kRowImageHalt);
        }
        if (step) {
            status = kStepStopSuffix;
            m_table.SetRowImage(row, kRowImageStepStop);
        }
        if (detail && (halt || step)) {
            m_table.SetRowStatus(row, status);
            m_terminal.AppendProgress(status);
        }
        // The failed row keeps its own marker; Send goes on after it, as after a halt.
        if (failStop) {
            m_table.SetRowImage(row, kRowImageFail);
            if (detail)
                m_table.SetRowStatus(row, kFailStatus);
        }
        if (ended)
            ReportChecks();
    }
    Advance();
    return m_run.running && m_armedDelay == 0;
}

// The text and the line end are two writes, as they always were; the row is sent when both are
// out. A port that completes at once runs the rest of the step before BeginWrite returns.
// The answer counts from the moment the row is handed to the port; it may come back before the
// port says the bytes are out.
void SequenceEngine::OpenAnswer(const SendRow& cells)
{
    m_checkTimedOut = false;
    m_checkPending = !cells.expect.empty();
    if (!m_checkPending)
        return;
    m_run.rxDone = false;
    m_run.answer.Open(Expectation(cells.expect, m_run.encoding), cells.waitKind == WaitKind::None);
}

// Sets the row's marker and, in detail display, its status; counts the verdict. None when the
// row had nothing to check.
std::optional<bool> SequenceEngine::DecideCheck(int row)
{
    if (!std::exchange(m_checkPending, false))
        return std::nullopt;
    m_run.answer.Close();
    const Expectation& expectation = m_run.answer.expectation();
    Expectation::Verdict verdict = m_run.answer.Judge();
    const bool passed = !m_checkTimedOut && verdict.passed;
    m_checkTimedOut = false;
    if (passed && expectation.IsPattern())
        m_values.Keep(row, std::move(verdict.groups));
    ++(passed ? m_checksPassed : m_checksFailed);
    m_table.SetRowImage(row, passed ? kRowImagePass : kRowImageFail);
    if (m_run.detailView)
        m_table.SetRowStatus(row, passed ? kPassStatus : kFailStatus);
    const std::u16string report =
        passed ? std::u16string()
               : CheckFailedText(row, expectation.text(), m_run.answer.bytes(), m_run.encoding,
                                 verdict.reason);
    if (!passed)
        m_terminal.AppendReport(report);
    m_observer.RowChecked(row, passed, m_run.answer.bytes(), report);
    return passed;
}

bool SequenceEngine::TableHasCheck() const
{
    for (int row = 0; row < SendTable::kRowCount; ++row) {
        if (!m_table.grid().GetCellText(row, SendTable::kExpectColumn).empty())
            return true;
    }
    return false;
}

void SequenceEngine::ReportChecks()
{
    const int64_t passed = std::exchange(m_checksPassed, 0);
    const int64_t failed = std::exchange(m_checksFailed, 0);
    if (!TableHasCheck())
        return;
    m_terminal.AppendReport(ChecksCountedText(passed, failed));
    m_observer.ChecksCounted(passed, failed);
}

void SequenceEngine::BeginRowWrite(int row, SendRow cells, RowData data)
{
    Bytes bytes = std::move(data.bytes);
    const std::span<const uint8_t> lineEnd = LineEndBytes(m_run.lineEnd);
    // The echo is shown as the row is handed over: the device's answer can reach the window
    // before the word that the bytes are out, and must not appear above the text it answers.
    if (m_terminal.IsLocalEcho()) {
        if (!bytes.empty())
            m_terminal.AppendText(data.shown);
        if (!lineEnd.empty())
            m_terminal.AppendText(EchoOfLineEnd(m_run.lineEnd));
    }
    // Text and line end go out in one write: the device has the whole line at once, with no
    // gap before the line end it acts on, and the port is woken once a row, not twice.
    bytes.insert(bytes.end(), lineEnd.begin(), lineEnd.end());
    if (bytes.empty()) {
        FinishSendStep(row, cells);
        return;
    }
    m_writing = true;
    // The wait is in place while the row is on its way: the port's notification of the answer
    // may reach the window before the word that the bytes are out.
    if (cells.waitKind != WaitKind::None) {
        m_run.waitKind = cells.waitKind;
        m_run.rxDone = false;
    }
    m_writingRow = row;
    m_writingCells = std::move(cells);
    const uint64_t token = ++m_writeToken;
    m_port.BeginWrite(bytes, [this, token](uint32_t error) { OnRowWritten(token, error); });
}

void SequenceEngine::OnRowWritten(uint64_t token, uint32_t error)
{
    if (token != m_writeToken || !m_writing)
        return;
    if (error != 0) {
        CancelWrite();
        FailRow(m_writingRow, WriteFailureText(m_port.PortName(), error));
        return;
    }
    m_writing = false;
    ++m_writeToken;
    const SendRow cells = std::move(m_writingCells);
    FinishSendStep(m_writingRow, cells);
}

// The run stops on the row as on a halt; the row pointer stays on it, so the next Send tries it
// again once the cause is mended.
void SequenceEngine::FailRow(int row, const std::u16string& report)
{
    StopOnRow(row, report);
    m_observer.RowFailed(row, report);
}

void SequenceEngine::StopOnRow(int row, const std::u16string& report)
{
    const bool ended = EndRun();
    m_table.ShowCurrentRow(row);
    m_table.SetRowImage(row, kRowImageHalt);
    if (m_run.detailView)
        m_table.SetRowStatus(row, kHaltSuffix);
    m_terminal.AppendReport(report);
    if (ended)
        ReportChecks();
}

void SequenceEngine::SendStep()
{
    const auto found = m_table.FindNextTicked(m_run.currentRow);
    if (!found)
        return;
    const int row = *found;
    m_run.currentRow = row;
    if (m_run.endReached) {
        m_run.endReached = false;
        m_table.ClearMarkers();
    }
    // The row's cells are read once: the whole step, however long its bytes take to go out,
    // works on what the row said when it began.
    SendRow cells = m_table.ReadRow(row);
    OpenAnswer(cells);
    if (!m_port.IsOpen()) {
        FinishSendStep(row, cells);
        return;
    }
    if (const auto missing = RowTextUnencodable(cells.data, m_run.encoding)) {
        FailRow(row, UnencodableRowText(row, *missing, m_run.encoding));
        return;
    }
    RowData data = RowDataWithValues(cells.data, m_run.encoding, m_values);
    if (!data.missing.empty()) {
        FailRow(row, ValueMissingText(row, data.missing));
        return;
    }
    BeginRowWrite(row, std::move(cells), std::move(data));
}

void SequenceEngine::FinishSendStep(int row, const SendRow& cells)
{
    m_table.ShowCurrentRow(row);
    const bool detail = m_run.detailView;
    if (detail) {
        m_terminal.AppendProgress(kSentMarker);
        m_table.SetRowStatus(row, kSent);
    }
    m_table.SetRowImage(row, kRowImageSent);
    m_observer.SetStatusText(cells.data + std::u16string(kButtonArraySent));

    const bool halt = cells.halt != 0;
    if (cells.waitKind != WaitKind::None || m_checkPending) {
        const bool answered = m_run.rxDone;
        if (!answered) {
            m_run.waitKind = cells.waitKind;
            m_run.rxDone = false;
        }
        if (detail) {
            m_table.SetRowStatus(row, m_table.GetRowStatus(row) + std::u16string(kWaitingSuffix));
            m_terminal.AppendProgress(kWaitingMarker);
        }
        m_table.SetRowImage(row, kRowImageWaiting);
        // The tick the answer asked for came while the row was on its way; it is due now.
        if (answered)
            m_timer.Arm(0);
        else
            StartAnswerTime();
        return;
    }

    ArmForDelay(cells.delay);
    const bool step = m_run.stepMode;
    if (step || halt) {
        const bool ended = EndRun();
        std::u16string status;
        if (halt) {
            status = m_table.GetRowStatus(row) + std::u16string(kHaltSuffix);
            m_table.SetRowImage(row, kRowImageHalt);
            if (detail)
                m_terminal.AppendProgress(kHaltMarker);
        }
        if (step) {
            status = m_table.GetRowStatus(row) + std::u16string(kStepStopSuffix);
            m_table.SetRowImage(row, kRowImageStepStop);
            if (detail)
                m_terminal.AppendProgress(kStepStopMarker);
        }
        if (detail)
            m_table.SetRowStatus(row, status);
        if (ended)
            ReportChecks();
    }
    Advance();
}

void SequenceEngine::Advance()
{
    m_run.currentRow += 1;
    if (!m_table.FindNextTicked(m_run.currentRow)) {
        m_run.currentRow = 0;
        m_run.endReached = true;
        ++m_run.passesEnded;
        if (!m_run.cyclic)
            OnStop();
    }
}

} // namespace wirevane
