#pragma once

#include "core/memory_cell_grid.h"
#include "core/receive_handler.h"
#include "core/send_table.h"
#include "core/sequence_engine.h"
#include "core/serial_events.h"
#include "fakes/manual_step_timer.h"
#include "fakes/recording_run_observer.h"
#include "fakes/recording_terminal.h"
#include "fakes/scripted_port.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wirevane::test {

// The engine and the receive handler wired as the window wires them, over a table in memory,
// a port fake (one that writes at once, or one that holds writes) and a timer fired by hand.
// The table starts with its hundred empty rows and no line end.
template <class Port = ScriptedPort> struct SequenceRig {
    SequenceRig()
    {
        run.lineEnd = LineEndSuffix::None;
        EXPECT_TRUE(receiver.Allocate());
        table.FillAtStartup();
    }

    // Fires the engine's tick; fails the test when the engine armed none.
    void Tick()
    {
        ASSERT_TRUE(timer.IsArmed()) << "the engine armed no tick";
        engine.OnStepTimer(kSequenceTimerId);
    }

    // Bytes from the device, then the receive notification the port would post.
    void Receive(std::vector<uint8_t> bytes)
    {
        port.queueRead(std::move(bytes));
        receiver.OnSerialMessage(EV_RXCHAR);
    }

    int Image(int row) const { return grid.GetCellImage(row, SendTable::kNumberColumn); }
    std::u16string Status(int row) const { return grid.GetCellText(row, SendTable::kSelectColumn); }

    RunState run;
    MemoryCellGrid grid;
    SendTable table{grid, run};
    Port port;
    RecordingTerminal terminal;
    ManualStepTimer timer;
    RecordingRunObserver observer;
    SequenceEngine engine{table, run, port, terminal, timer, observer};
    ReceiveHandler receiver{run, port, terminal, timer};
};

} // namespace wirevane::test
