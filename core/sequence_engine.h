#pragma once

#include "core/answer_values.h"
#include "core/port_access.h"
#include "core/run_observer.h"
#include "core/run_state.h"
#include "core/send_table.h"
#include "core/terminal_sink.h"
#include "platform/step_timer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wirevane {

// Runs the send table: sends the ticked rows in order, waits for an answer where a row asks for
// it, halts, pauses, repeats in cyclic mode and stops after every row in step mode. Every step is
// one tick of the step timer; everything runs on the window thread. A row counts as sent once the
// port says all its bytes are out; a row the port fails, or one the line's encoding cannot
// carry, stops the run on that row with a report line in the terminal.
class SequenceEngine {
public:
    SequenceEngine(SendTable& table, RunState& run, PortAccess& port, TerminalSink& terminal,
                   StepTimer& timer, RunObserver& observer);

    void OnSend();
    void OnStop();
    void OnReset();
    void OnStepTimer(unsigned timerId);

    // A row's bytes are handed to the port and not yet out.
    bool IsWriting() const { return m_writing; }

    // A checked row waits this long for its answer when no answer time-out is set: a check
    // that never ends would hold the run for good.
    static constexpr int kCheckTimeoutMs = 1000;

    // Gives up on an awaited answer that has not come limitMs after the row's bytes were out;
    // 0 (or less) waits without limit, as the table always did. timer is a one-shot timer of
    // its own; its expiry goes to OnAnswerTimer. A changed limit counts from the next wait.
    void SetAnswerTimeout(StepTimer* timer, int limitMs);
    int answerTimeoutMs() const { return m_answerLimitMs; }
    // The answer timer ran out. If the run still waits for that answer, it stops on the row as
    // on a failed send: halt marker, report line "[No answer to row N within T ms.]", and the
    // next Send sends the row again; answers true then. An answer that came meanwhile, or a
    // stop, makes it do nothing and answer false. A checked row's check fails instead, decided
    // on the next tick, and the answer is false too.
    bool OnAnswerTimer();

    // The pause the last row that ended asked for after itself, 0 for none: what a run that
    // stops after that row still owes the device.
    int pauseAfterLastRow() const { return m_armedDelay; }

private:
    // True when the run goes on at once, with the next row's send step.
    bool ReceiveStep();
    void SendStep();
    void Advance();
    void BeginRowWrite(int row, SendRow cells, RowData data);
    void OnRowWritten(uint64_t token, uint32_t error);
    void FinishSendStep(int row, const SendRow& cells);
    void FailRow(int row, const std::u16string& report);
    void StopOnRow(int row, const std::u16string& report);
    void StartAnswerTime();
    void StopAnswerTime();
    void CancelWrite();
    void ArmForDelay(int delay);
    void CancelWait();
    void OpenAnswer(const SendRow& cells);
    std::optional<bool> DecideCheck(int row);
    // Everything a stop does but the count of the checks, which a stop that still shows how its
    // row ended gives after that, as the run's last line. True when a run was going.
    bool EndRun();
    void ReportChecks();
    bool TableHasCheck() const;

    SendTable& m_table;
    RunState& m_run;
    PortAccess& m_port;
    TerminalSink& m_terminal;
    StepTimer& m_timer;
    RunObserver& m_observer;

    int m_armedDelay = 0; // the pause the last row that ended asked for
    StepTimer* m_answerTimer = nullptr;
    int m_answerLimitMs = 0;

    // Each row write has its own token, so the completion of a cancelled one changes nothing.
    uint64_t m_writeToken = 0;
    bool m_writing = false;
    int m_writingRow = 0;
    SendRow m_writingCells;

    // The row in progress has an expectation; its check falls when its wait ends.
    bool m_checkPending = false;
    bool m_checkTimedOut = false;
    // 64 bits: a run left going for days at thousands of checks a second passes 2^31.
    int64_t m_checksPassed = 0;
    int64_t m_checksFailed = 0;
    // What the run's passing pattern checks read, for the send data of the rows after them.
    AnswerValues m_values;
};

} // namespace wirevane
