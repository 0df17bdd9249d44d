#pragma once

#include "core/port_access.h"
#include "core/run_observer.h"
#include "core/run_state.h"
#include "core/send_table.h"
#include "core/terminal_sink.h"
#include "platform/step_timer.h"

#include <string_view>

namespace wirevane {

// Runs the send table: sends the ticked rows in order, waits for an answer where a row asks for
// it, halts, pauses, repeats in cyclic mode and stops after every row in step mode. Every step is
// one tick of the step timer; everything runs on the window thread.
class SequenceEngine {
public:
    SequenceEngine(SendTable& table, RunState& run, PortAccess& port, TerminalSink& terminal,
                   StepTimer& timer, RunObserver& observer);

    void OnSend();
    void OnStop();
    void OnReset();
    void OnStepTimer(unsigned timerId);

private:
    void ReceiveStep();
    void SendStep();
    void Advance();
    void WriteRow(std::u16string_view text);
    void ArmForDelay(int delay);
    void CancelWait();

    SendTable& m_table;
    RunState& m_run;
    PortAccess& m_port;
    TerminalSink& m_terminal;
    StepTimer& m_timer;
    RunObserver& m_observer;
};

} // namespace wirevane
