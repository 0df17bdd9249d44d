#pragma once

#include "core/memory_cell_grid.h"
#include "core/port_access.h"
#include "core/receive_handler.h"
#include "core/run_observer.h"
#include "core/run_state.h"
#include "core/send_table.h"
#include "core/sequence_engine.h"
#include "core/terminal_sink.h"
#include "platform/file_error.h"
#include "platform/step_timer.h"
#include "tools/wirevane-run/check_tally.h"
#include "tools/wirevane-run/headless_settings.h"
#include "tools/wirevane-run/recording_port.h"
#include "tools/wirevane-run/run_outcome.h"
#include "tools/wirevane-run/timing_report.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wirevane::runner {

struct RunSettings {
    int cycles = 1; // 0: repeat until stopped
    bool tester = false;
    bool detail = false;
    std::optional<int> timeoutSeconds{};
    // How long the run goes on showing what arrives after it ended.
    int lingerMs = 0;
    // Whether the run keeps a timing report; without one, nothing of the sent rows is kept.
    bool report = false;
    // A failed check does not end the run.
    bool keepGoing = false;
    // The checks are kept for a JUnit file.
    bool listChecks = false;
};

// One headless run of a settings file's table: the engine and the receive handler of the window,
// over an in-memory grid, with the caller's port, terminal and timers. The caller delivers the
// step timer's ticks, the port notifications, the answer timer's expiry, an interruption or the
// loss of the port; after each the driver decides whether the run is over and how it ended.
//
// A run that ends by itself (its end, a halt, an answer that did not come) first keeps the last
// row's pause and then lingers, still showing what arrives, before it counts as finished; the
// step timer, idle by then, measures that time.
class RunDriver {
public:
    using Clock = RecordingPort::Clock;
    using ErrorText = std::function<std::string(uint32_t)>;

    // The receive handler writes to receivedText when one is given, so received text can be
    // told from the engine's.
    RunDriver(PortAccess& port, TerminalSink& terminal, StepTimer& stepTimer,
              StepTimer& answerTimer, Clock clock, ErrorText errorText,
              TerminalSink* receivedText = nullptr);

    // Reads the file as loading a settings file does; its SERIAL keys land in portSettings().
    platform::FileError Load(const std::filesystem::path& settingsFile);
    const CapturedPortSettings& portSettings() const { return m_portSettings; }

    // In tester mode, each of the meter's readings goes to the sink as well.
    void SetMeasurementSink(MeasurementSink* sink) { m_receiver.SetMeasurementSink(sink); }

    // False when the receive buffers could not be had.
    bool Allocate() { return m_receiver.Allocate(); }

    // Send, as the window's Send button. Ends the run at once when no row is ticked.
    void Start(const RunSettings& settings);
    void OnStepTimer();
    void OnSerialMessage(uint32_t eventWord);
    void OnAnswerTimeout();
    void Interrupt();
    void PortLost(const std::string& reason);

    // Called once, when the run counts as finished, whichever event ended it: the caller's
    // loop ends there.
    void SetOnFinished(std::function<void()> onFinished) { m_onFinished = std::move(onFinished); }

    bool finished() const { return m_outcome.has_value(); }
    RunOutcome outcome() const { return m_outcome.value_or(RunOutcome::Completed); }
    // The one-line reason of a run that did not end well; empty otherwise.
    const std::string& message() const { return m_message; }
    // A row's answer is awaited, so the loop may read it itself.
    bool AwaitsAnswer() const { return m_run.AwaitsAnswer(); }
    // The timing of the run, when the settings asked for one.
    const std::optional<TimingReport>& report() const { return m_report; }
    int64_t cyclesCompleted() const { return m_cyclesCompleted; }
    // The checks decided so far, in order.
    const CheckTally& checks() const { return m_checks; }
    bool AnyCheckFailed() const { return m_checks.failed() > 0; }
    TextEncoding encoding() const { return m_run.encoding; }

private:
    class NoWindow final : public RunObserver {
    public:
        void UpdateRunControls(bool) override {}
        void SetStatusText(std::u16string_view) override {}
        void RowFailed(int row, std::u16string_view report) override;
        void RowChecked(int row, bool passed, std::span<const uint8_t> answer,
                        std::u16string_view report) override
        {
            checked(row, passed, answer, report);
        }

        std::optional<std::string> failure;
        std::function<void(int, bool, std::span<const uint8_t>, std::u16string_view)> checked;
    };

    void RecordCheck(int row, bool passed, std::span<const uint8_t> answer,
                     std::u16string_view report);

    void AfterStep();
    void AfterTick(bool advanced);
    void EndAfter(RunOutcome outcome, int pauseMs, std::string message = {});
    void CheckTransfers();
    bool AnyRowHalted() const;
    void Finish(RunOutcome outcome, std::string message = {});

    MemoryCellGrid m_grid;
    RunState m_run;
    SendTable m_table;
    RecordingPort m_port;
    StepTimer& m_stepTimer;
    NoWindow m_window;
    SequenceEngine m_engine;
    ReceiveHandler m_receiver;
    StepTimer& m_answerTimer;
    Clock m_clock;
    ErrorText m_errorText;
    CapturedPortSettings m_portSettings;
    RunSettings m_settings;
    std::optional<TimingReport> m_report;
    // 64 bits: a one-row table at 20,000 rows a second passes 2^31 cycles within two days.
    int64_t m_cyclesCompleted = 0;
    CheckTally m_checks;
    int64_t m_lastWrittenUs = 0;
    std::optional<int64_t> m_lastAnsweredUs;
    // The step that the current tick or its write belongs to.
    bool m_inTick = false;
    bool m_stepOpen = false;
    bool m_stepReceives = false;
    bool m_stepSends = false;
    uint64_t m_passesAtStep = 0;
    // The answer to a row whose completion had not reached the driver yet.
    std::optional<int64_t> m_answeredBeforeWritten;
    std::optional<RunOutcome> m_ending;
    std::string m_endingMessage;
    std::optional<RunOutcome> m_outcome;
    std::string m_message;
    std::function<void()> m_onFinished;
};

} // namespace wirevane::runner
