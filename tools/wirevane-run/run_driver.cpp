#include "tools/wirevane-run/run_driver.h"

#include "core/check_report_text.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "persistence/settings_file.h"
#include "platform/serial_codes.h"
#include "platform/utf_text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <utility>

namespace wirevane::runner {

namespace {

// From the calendar types rather than gmtime_r, which Windows does not have.
std::string UtcNow()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto today = floor<days>(now);
    const year_month_day date{today};
    const hh_mm_ss time{floor<seconds>(now - today)};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int{date.year()},
                  unsigned{date.month()}, unsigned{date.day()},
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

// The settings file as it was read to tell a missing one: the load takes those same bytes, so
// it neither reads a file that may have changed meanwhile nor holds its contents twice.
class AlreadyRead final : public ProfileFiles {
public:
    AlreadyRead(std::filesystem::path path, std::vector<uint8_t> bytes)
        : m_path(std::move(path)), m_bytes(std::move(bytes))
    {
    }

    platform::FileError Read(const std::filesystem::path& path,
                             std::vector<uint8_t>& bytes) override
    {
        if (path != m_path || std::exchange(m_taken, true))
            return m_disk.Read(path, bytes);
        bytes = std::move(m_bytes);
        return {};
    }
    platform::FileError Replace(const std::filesystem::path& path,
                                std::span<const uint8_t> bytes) override
    {
        return m_disk.Replace(path, bytes);
    }

private:
    DiskProfileFiles m_disk;
    std::filesystem::path m_path;
    std::vector<uint8_t> m_bytes;
    bool m_taken = false;
};

std::string Utf8Of(std::u16string_view text)
{
    std::vector<uint8_t> utf8;
    platform::AppendUtf8(text, utf8);
    return std::string(utf8.begin(), utf8.end());
}

} // namespace

RunDriver::RunDriver(PortAccess& port, TerminalSink& terminal, StepTimer& stepTimer,
                     StepTimer& answerTimer, Clock clock, ErrorText errorText,
                     TerminalSink* receivedText)
    : m_table(m_grid, m_run), m_port(port, m_run, clock), m_stepTimer(stepTimer),
      m_engine(m_table, m_run, m_port, terminal, m_stepTimer, m_window),
      m_receiver(m_run, m_port, receivedText != nullptr ? *receivedText : terminal, m_stepTimer),
      m_answerTimer(answerTimer), m_clock(std::move(clock)), m_errorText(std::move(errorText))
{
    m_table.FillAtStartup();
    m_window.checked = [this](int row, bool passed, std::span<const uint8_t> answer,
                              std::u16string_view report) {
        RecordCheck(row, passed, answer, report);
    };
    m_port.SetAfterWrite([this] {
        if (!m_inTick && !m_engine.IsWriting())
            AfterStep();
    });
}

void RunDriver::NoWindow::RowFailed(int, std::u16string_view report)
{
    failure = Utf8Of(report);
}

void RunDriver::RecordCheck(int row, bool passed, std::span<const uint8_t> answer,
                            std::u16string_view report)
{
    const int64_t turnaroundUs = m_lastAnsweredUs.value_or(m_clock()) - m_lastWrittenUs;
    const std::u16string& expect = m_run.answer.expectation().text();
    if (m_report)
        m_report->RowChecked(row, {Utf8Of(expect),
                                   passed,
                                   {answer.begin(), answer.end()},
                                   Utf8Of(EscapedAnswer(answer, m_run.encoding))});
    if (!m_checks.KeepsNext()) {
        m_checks.Count(passed, turnaroundUs);
        return;
    }
    CheckedRow check;
    check.row = row;
    check.cycle = m_cyclesCompleted;
    check.data = m_table.rows()[static_cast<std::size_t>(row)].data;
    check.expect = expect;
    check.passed = passed;
    check.received.assign(answer.begin(), answer.end());
    check.report = report;
    check.turnaroundUs = turnaroundUs;
    m_checks.Add(std::move(check));
}

platform::FileError RunDriver::Load(const std::filesystem::path& settingsFile)
{
    // A missing file would otherwise load as an empty table of defaults.
    std::vector<uint8_t> bytes;
    if (platform::FileError error = DiskProfileFiles().Read(settingsFile, bytes); !error.ok())
        return error;
    AlreadyRead files(settingsFile, std::move(bytes));
    ProfileStore store(settingsFile, files);
    NoControls controls;
    SettingsFile settings(store, m_table, m_run, m_portSettings, controls);
    return settings.LoadSettingsFile();
}

void RunDriver::Start(const RunSettings& settings)
{
    m_settings = settings;
    m_checks = CheckTally(settings.listChecks);
    if (settings.report)
        m_report.emplace(UtcNow());
    // The file's own repeat setting gives way to the cycle count: a headless run has to end.
    m_run.cyclic = settings.cycles != 1;
    m_run.testerMode = settings.tester;
    m_run.detailView = settings.detail;
    m_run.stopOnFail = !settings.keepGoing;
    m_engine.SetAnswerTimeout(&m_answerTimer, settings.timeoutSeconds.value_or(0) * 1000);
    if (!m_table.FindNextTicked(0)) {
        Finish(RunOutcome::Failed, "no row of the table is ticked; there is nothing to send");
        return;
    }
    m_engine.OnSend();
}

void RunDriver::OnStepTimer()
{
    if (finished())
        return;
    if (m_ending) {
        Finish(*m_ending, std::move(m_endingMessage));
        return;
    }
    // An answer that overtook its row's completion asks for a tick too early; the engine asks
    // again once the row is out.
    if (m_engine.IsWriting())
        return;
    m_stepReceives = m_run.rxDone;
    m_stepSends = !m_stepReceives && m_table.FindNextTicked(m_run.currentRow).has_value();
    // An answered last row without a pause passes the table's end and starts the next pass in
    // this one tick, which clears the end flag again: the passes are counted instead.
    m_passesAtStep = m_run.passesEnded;
    m_stepOpen = true;
    m_port.BeginTick();
    m_inTick = true;
    m_engine.OnStepTimer(kSequenceTimerId);
    m_inTick = false;
    // A row still on its way is counted when the port says it is out.
    if (!m_engine.IsWriting())
        AfterStep();
}

void RunDriver::AfterStep()
{
    if (finished() || m_ending || !m_stepOpen)
        return;
    m_stepOpen = false;
    if (auto row = m_port.TakeRow()) {
        // The port's word that the bytes were out came after the device's answer to them; the
        // hand-over is the last moment known before they left.
        const auto answered = std::exchange(m_answeredBeforeWritten, std::nullopt);
        m_lastWrittenUs = answered ? row->handedUs : row->writtenUs;
        m_lastAnsweredUs = answered;
        if (m_report) {
            m_report->RowWritten(row->index, row->bytes, answered ? row->handedUs : row->writtenUs);
            if (answered)
                m_report->AwaitedByteArrived(*answered);
        }
    }
    if (m_window.failure) {
        Finish(RunOutcome::Failed, *m_window.failure);
        return;
    }
    CheckTransfers();
    if (finished())
        return;
    // A step moves on to the next row unless it sent a row that now waits for its answer.
    AfterTick(m_stepReceives || (m_stepSends && m_run.waitKind == WaitKind::None));
}

void RunDriver::OnSerialMessage(uint32_t eventWord)
{
    if (finished())
        return;
    if (m_ending) {
        m_receiver.OnSerialMessage(eventWord);
        return;
    }
    const bool waiting = m_run.waitKind != WaitKind::None || m_run.answer.IsOpen();
    const int64_t handledUs = m_clock();
    m_port.BeginMessage();
    m_receiver.OnSerialMessage(eventWord);
    if (waiting && m_run.rxDone) {
        m_answerTimer.Kill();
        const int64_t answeredUs = m_port.firstDataUs().value_or(handledUs);
        m_lastAnsweredUs = answeredUs;
        if (m_engine.IsWriting())
            m_answeredBeforeWritten = answeredUs;
        else if (m_report)
            m_report->AwaitedByteArrived(answeredUs);
    }
    CheckTransfers();
    // The port's event thread says this once, and then falls silent for good.
    if (((eventWord >> 16) & CE_IOE) != 0)
        PortLost(m_errorText(ERROR_IO_DEVICE));
}

void RunDriver::OnAnswerTimeout()
{
    const int row = m_run.currentRow;
    if (finished() || m_ending || !m_engine.OnAnswerTimer())
        return;
    EndAfter(RunOutcome::TimedOut, 0,
             "no answer to row " + std::to_string(row) + " within " +
                 std::to_string(m_settings.timeoutSeconds.value_or(0)) + " s");
}

void RunDriver::Interrupt()
{
    if (finished())
        return;
    // The run itself is over; only the lingering is cut short.
    if (m_ending) {
        Finish(*m_ending, std::move(m_endingMessage));
        return;
    }
    m_engine.OnStop();
    Finish(RunOutcome::Interrupted, "interrupted");
}

void RunDriver::PortLost(const std::string& reason)
{
    if (finished())
        return;
    if (m_ending) {
        Finish(*m_ending, std::move(m_endingMessage));
        return;
    }
    m_engine.OnStop();
    Finish(RunOutcome::Failed, "port lost during the run: " + reason);
}

void RunDriver::CheckTransfers()
{
    if (const uint32_t error = m_port.transferError(); error != 0)
        PortLost(m_errorText(error));
}

void RunDriver::AfterTick(bool advanced)
{
    // The engine stops itself on a failed check, on a halt, and on the table's end when it
    // does not repeat.
    if (!m_run.running && !m_settings.keepGoing && AnyCheckFailed()) {
        EndAfter(RunOutcome::CheckFailed, 0);
        return;
    }
    if (!m_run.running && AnyRowHalted()) {
        EndAfter(RunOutcome::Halted, 0);
        return;
    }
    if (advanced && m_run.passesEnded != m_passesAtStep) {
        ++m_cyclesCompleted;
        // The last pass ends the run as a table that does not repeat ends it: the answer to its
        // last row must not start another pass.
        if (m_settings.cycles != 0 && m_cyclesCompleted + 1 == m_settings.cycles)
            m_run.cyclic = false;
        if (m_settings.cycles != 0 && m_cyclesCompleted >= m_settings.cycles) {
            if (m_run.running)
                m_engine.OnStop();
            EndAfter(RunOutcome::Completed, m_engine.pauseAfterLastRow());
        }
    }
}

bool RunDriver::AnyRowHalted() const
{
    for (int row = 0; row < SendTable::kRowCount; ++row) {
        if (m_grid.GetCellImage(row, SendTable::kNumberColumn) == kRowImageHalt)
            return true;
    }
    return false;
}

void RunDriver::EndAfter(RunOutcome outcome, int pauseMs, std::string message)
{
    m_answerTimer.Kill();
    const int64_t waitMs = int64_t{pauseMs} + std::max(m_settings.lingerMs, 0);
    if (waitMs == 0) {
        Finish(outcome, std::move(message));
        return;
    }
    m_ending = outcome;
    m_endingMessage = std::move(message);
    m_stepTimer.Arm(static_cast<int>(std::min<int64_t>(waitMs, std::numeric_limits<int>::max())));
}

void RunDriver::Finish(RunOutcome outcome, std::string message)
{
    m_answerTimer.Kill();
    m_outcome = outcome;
    m_message = std::move(message);
    if (m_onFinished)
        m_onFinished();
}

} // namespace wirevane::runner
