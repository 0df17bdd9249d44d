#include "tools/wirevane-run/run_driver.h"

#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "persistence/settings_file.h"
#include "platform/serial_codes.h"

#include <chrono>
#include <ctime>
#include <utility>

namespace wirevane::runner {

namespace {

std::string UtcNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

} // namespace

RunDriver::RunDriver(PortAccess& port, TerminalSink& terminal, StepTimer& stepTimer,
                     StepTimer& answerTimer, Clock clock, ErrorText errorText)
    : m_table(m_grid, m_run), m_port(port, m_run, clock),
      m_engine(m_table, m_run, m_port, terminal, stepTimer, m_window),
      m_receiver(m_run, m_port, terminal, stepTimer), m_answerTimer(answerTimer),
      m_clock(std::move(clock)), m_errorText(std::move(errorText)), m_report(UtcNow())
{
    m_table.FillAtStartup();
}

platform::FileError RunDriver::Load(const std::filesystem::path& settingsFile)
{
    // A missing or unreadable file would otherwise load as an empty table of defaults.
    DiskProfileFiles files;
    std::vector<uint8_t> bytes;
    if (platform::FileError error = files.read(settingsFile, bytes); !error.ok())
        return error;
    ProfileStore store(settingsFile, files);
    NoControls controls;
    SettingsFile settings(store, m_table, m_run, m_portSettings, controls);
    settings.LoadSettingsFile();
    return {};
}

void RunDriver::Start(const RunSettings& settings)
{
    m_settings = settings;
    // The file's own repeat setting gives way to the cycle count: a headless run has to end.
    m_run.cyclic = settings.cycles == 1 ? 0 : 1;
    m_run.testerMode = settings.tester ? 1 : 0;
    m_run.detailView = settings.detail ? 1 : 0;
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
    const bool receiveStep = m_run.rxDone == 1;
    const bool sends = !receiveStep && m_table.FindNextTicked(m_run.currentRow).has_value();
    m_port.BeginTick();
    m_engine.OnStepTimer(kSequenceTimerId);
    if (auto row = m_port.TakeRow())
        m_report.RowWritten(row->index, row->bytes, row->writtenUs);
    CheckTransfers();
    if (finished())
        return;
    if (m_run.waitKind != 0 && m_settings.timeoutSeconds)
        m_answerTimer.Arm(*m_settings.timeoutSeconds * 1000);
    // A step moves on to the next row unless it sent a row that now waits for its answer.
    AfterTick(receiveStep || (sends && m_run.waitKind == 0));
}

void RunDriver::OnSerialMessage(uint32_t eventWord)
{
    if (finished())
        return;
    const bool waiting = m_run.waitKind != 0;
    const int64_t handledUs = m_clock();
    m_port.BeginMessage();
    m_receiver.OnSerialMessage(eventWord);
    if (waiting && m_run.rxDone == 1) {
        m_answerTimer.Kill();
        m_report.AwaitedByteArrived(m_port.firstDataUs().value_or(handledUs));
    }
    CheckTransfers();
    // The port's event thread says this once, and then falls silent for good.
    if (((eventWord >> 16) & CE_IOE) != 0)
        PortLost(m_errorText(ERROR_IO_DEVICE));
}

void RunDriver::OnAnswerTimeout()
{
    if (finished() || m_run.waitKind == 0)
        return;
    const int row = m_run.currentRow;
    m_engine.OnStop();
    Finish(RunOutcome::TimedOut, "no answer to row " + std::to_string(row) + " within " +
                                     std::to_string(m_settings.timeoutSeconds.value_or(0)) + " s");
}

void RunDriver::Interrupt()
{
    if (finished())
        return;
    m_engine.OnStop();
    Finish(RunOutcome::Interrupted, "interrupted");
}

void RunDriver::PortLost(std::string reason)
{
    if (finished())
        return;
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
    // The engine stops itself on a halt, and on the table's end when it does not repeat.
    if (m_run.running == 0 && AnyRowHalted()) {
        Finish(RunOutcome::Halted);
        return;
    }
    if (advanced && m_run.endReached == 1) {
        ++m_cyclesCompleted;
        if (m_settings.cycles != 0 && m_cyclesCompleted >= m_settings.cycles) {
            if (m_run.running != 0)
                m_engine.OnStop();
            Finish(RunOutcome::Completed);
        }
    }
}

bool RunDriver::AnyRowHalted() const
{
    for (int row = 0; row < SendTable::kRowCount; ++row) {
        if (m_grid.cellImage(row, SendTable::kNumberColumn) == kRowImageHalt)
            return true;
    }
    return false;
}

void RunDriver::Finish(RunOutcome outcome, std::string message)
{
    m_answerTimer.Kill();
    m_outcome = outcome;
    m_message = std::move(message);
}

} // namespace wirevane::runner
