#pragma once

#include "core/memory_cell_grid.h"
#include "core/receive_handler.h"
#include "core/send_table.h"
#include "core/sequence_engine.h"
#include "fakes/manual_step_timer.h"
#include "fakes/recording_run_observer.h"
#include "fakes/recording_terminal.h"
#include "platform/message_target.h"
#include "serial/serial_mfc.h"
#include "serial/serial_port_access.h"
#include "support/pty_pair.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <termios.h>

namespace wirevane::test {

// The engine and the receive handler wired as the window wires them, over the real port chain
// on a kernel pseudo-terminal whose master side the test plays as the device. The port's
// notifications and write completions wait in a queue until the test's thread runs them, as
// they wait in the window's loop; the engine's tick and the answer time are fired by hand.
// The table starts with its hundred empty rows and no line end.
class PtyEngineRig {
public:
    PtyEngineRig()
    {
        run.lineEnd = LineEndSuffix::None;
        EXPECT_TRUE(receiver.Allocate());
        table.FillAtStartup();
        EXPECT_EQ(port.Open(pty.slavePathU16(), std::make_unique<Notifications>(*this)), 0u);
    }
    ~PtyEngineRig() { port.Close(); }
    PtyEngineRig(const PtyEngineRig&) = delete;
    PtyEngineRig& operator=(const PtyEngineRig&) = delete;

    // Fires the engine's tick; fails the test when the engine armed none.
    void Tick()
    {
        ASSERT_TRUE(timer.IsArmed()) << "the engine armed no tick";
        engine.OnStepTimer(kSequenceTimerId);
    }

    // The device sends the bytes; returns once the receive handler has read them.
    void Answer(std::string_view bytes)
    {
        if (bytes.empty())
            return;
        const std::size_t target = access.bytesRead + bytes.size();
        pty.WriteMaster(bytes);
        ASSERT_TRUE(RunPostedUntil([&] { return access.bytesRead >= target; }))
            << "the port never read \"" << bytes << "\"";
    }

    // The device holds the line back (as XOFF does), so a row stays on its way until Release.
    void Hold() { ASSERT_EQ(tcflow(pty.slave(), TCOOFF), 0); }
    // Lets the held bytes out; returns once the engine knows the row is out.
    void Release()
    {
        ASSERT_EQ(tcflow(pty.slave(), TCOON), 0);
        ASSERT_TRUE(RunPostedUntil([&] { return !engine.IsWriting(); }));
    }

    // What the device received, waiting for count bytes.
    std::string Received(std::size_t count) { return pty.ReadMaster(count); }

    int Image(int row) const { return grid.GetCellImage(row, SendTable::kNumberColumn); }
    std::u16string Status(int row) const { return grid.GetCellText(row, SendTable::kSelectColumn); }

    // Rows not set stay unticked.
    void SetRow(int index, std::u16string data, WaitKind wait, std::u16string expect = {},
                int delay = 0)
    {
        table.rows()[static_cast<std::size_t>(index)] =
            SendRow{1, std::move(data), wait, 0, delay, std::move(expect)};
        table.RewriteFromRows();
    }

private:
    // Runs the posted calls on this thread until done() holds; false after ten seconds without.
    bool RunPostedUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::unique_lock guard(m_lock);
        while (!done()) {
            if (!m_posted.wait_until(guard, deadline, [&] { return !m_calls.empty(); }))
                return false;
            const std::function<void()> call = std::move(m_calls.front());
            m_calls.pop_front();
            guard.unlock();
            call();
            guard.lock();
        }
        return true;
    }

    void Post(std::function<void()> call)
    {
        {
            std::lock_guard guard(m_lock);
            m_calls.push_back(std::move(call));
        }
        m_posted.notify_one();
    }

    struct Notifications final : platform::MessageTarget {
        explicit Notifications(PtyEngineRig& owner) : rig(owner) {}
        bool Post(uint32_t, uintptr_t eventWord, intptr_t) override
        {
            rig.Post([this, eventWord] {
                rig.receiver.OnSerialMessage(static_cast<uint32_t>(eventWord));
            });
            return true;
        }
        PtyEngineRig& rig;
    };

    // Counts what the receive handler read, so a test knows when an answer has arrived.
    struct CountedAccess final : PortAccess {
        explicit CountedAccess(CSerial& serial) : inner(serial) {}
        bool IsOpen() const override { return inner.IsOpen(); }
        uint32_t Write(std::span<const uint8_t> bytes) override { return inner.Write(bytes); }
        void BeginWrite(std::span<const uint8_t> bytes, WriteDone done) override
        {
            inner.BeginWrite(bytes, std::move(done));
        }
        void CancelWrites() override { inner.CancelWrites(); }
        uint32_t Read(std::span<uint8_t> buffer, std::size_t& count) override
        {
            const uint32_t error = inner.Read(buffer, count);
            bytesRead += count;
            return error;
        }
        uint32_t GetModemStatus(uint32_t& status) override { return inner.GetModemStatus(status); }

        SerialPortAccess inner;
        std::size_t bytesRead = 0;
    };

    std::mutex m_lock;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_calls;

public:
    PtyPair pty;
    RunState run;
    MemoryCellGrid grid;
    SendTable table{grid, run};
    CSerialMFC port{[this](std::function<void()> call) { Post(std::move(call)); }};
    CountedAccess access{port};
    RecordingTerminal terminal;
    ManualStepTimer timer;
    ManualStepTimer answerTimer;
    RecordingRunObserver observer;
    SequenceEngine engine{table, run, access, terminal, timer, observer};
    ReceiveHandler receiver{run, access, terminal, timer};
};

} // namespace wirevane::test
