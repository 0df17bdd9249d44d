#pragma once

#include "core/memory_cell_grid.h"
#include "core/port_access.h"
#include "core/receive_handler.h"
#include "core/send_table.h"
#include "core/sequence_engine.h"
#include "core/serial_events.h"
#include "fakes/manual_step_timer.h"
#include "fakes/recording_run_observer.h"
#include "fakes/recording_terminal.h"
#include "fakes/scripted_port.h"
#include "serial/serial_port_access.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace wirevane::test {

// The engine and the receive handler wired as the window wires them, over a table in memory.
// Port is what the engine writes to: a fake, or a real port chain (CountedPort); Timer is the
// engine's tick, fired by hand unless the rig runs on an event loop. The table starts with its
// hundred empty rows and no line end.
template <class Port = ScriptedPort, class Terminal = RecordingTerminal,
          class Timer = ManualStepTimer>
struct EngineRig {
    template <class... TimerArgs>
    explicit EngineRig(TimerArgs&&... timerArgs) : timer(std::forward<TimerArgs>(timerArgs)...)
    {
        run.lineEnd = LineEndSuffix::None;
        EXPECT_TRUE(receiver.Allocate());
        table.FillAtStartup();
    }
    EngineRig(const EngineRig&) = delete;
    EngineRig& operator=(const EngineRig&) = delete;

    // Fires the engine's tick; fails the test when the engine armed none.
    void Tick()
    {
        ASSERT_TRUE(timer.IsArmed()) << "the engine armed no tick";
        engine.OnStepTimer(kSequenceTimerId);
    }

    // Send, and the tick that sends the first ticked row.
    void SendAndTick()
    {
        engine.OnSend();
        Tick();
    }

    // Bytes from the device, then the receive notification the port would post.
    void Receive(std::vector<uint8_t> bytes)
    {
        port.queueRead(std::move(bytes));
        receiver.OnSerialMessage(EV_RXCHAR);
    }

    // Ticks the row with the given cells; rows not set stay unticked.
    void SetRow(int index, std::u16string data, WaitKind wait, int delay = 0,
                std::u16string expect = {})
    {
        table.rows()[static_cast<std::size_t>(index)] =
            SendRow{1, std::move(data), wait, 0, delay, std::move(expect)};
        table.RewriteFromRows();
    }

    int Image(int row) const { return grid.GetCellImage(row, SendTable::kNumberColumn); }
    std::u16string Status(int row) const { return grid.GetCellText(row, SendTable::kSelectColumn); }

    RunState run;
    MemoryCellGrid grid;
    SendTable table{grid, run};
    Port port;
    Terminal terminal;
    Timer timer;
    RecordingRunObserver observer;
    SequenceEngine engine{table, run, port, terminal, timer, observer};
    ReceiveHandler receiver{run, port, terminal, timer};
};

// A real serial port and the access the window reads and writes it through, counting what
// passes so a test knows when an answer has arrived and a benchmark can compare what the
// engine read with what the device sent. The rig that opens it closes it while what the port
// posts to still exists.
template <class Serial> struct CountedPort final : PortAccess {
    template <class... SerialArgs>
    explicit CountedPort(SerialArgs&&... serialArgs)
        : serial(std::forward<SerialArgs>(serialArgs)...)
    {
    }

    bool IsOpen() const override { return access.IsOpen(); }
    uint32_t Write(std::span<const uint8_t> bytes) override
    {
        ++writes;
        return access.Write(bytes);
    }
    void BeginWrite(std::span<const uint8_t> bytes, WriteDone done) override
    {
        ++writes;
        access.BeginWrite(bytes, std::move(done));
    }
    void CancelWrites() override { access.CancelWrites(); }
    std::u16string PortName() const override { return access.PortName(); }
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& count) override
    {
        const uint32_t error = access.Read(buffer, count);
        bytesRead += count;
        if (error != 0)
            lastReadError = error;
        return error;
    }
    uint32_t GetModemStatus(uint32_t& status) override { return access.GetModemStatus(status); }

    Serial serial;
    // The access the terminal writes typed keys through, past the counts.
    SerialPortAccess access{serial};
    uint64_t writes = 0;
    uint64_t bytesRead = 0;
    uint32_t lastReadError = 0;
};

} // namespace wirevane::test
