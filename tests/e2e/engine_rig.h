#pragma once

#include "core/memory_cell_grid.h"
#include "core/port_access.h"
#include "core/receive_handler.h"
#include "core/run_observer.h"
#include "core/run_state.h"
#include "core/send_table.h"
#include "core/sequence_engine.h"
#include "core/terminal_sink.h"
#include "platform/qt/port_message_receiver.h"
#include "platform/qt/qt_step_timer.h"
#include "serial/qt/qt_serial_port.h"
#include "serial/serial_port_access.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>

namespace wirevane::test {

// The engine, the receive handler and the port chain wired as the main window wires them, on
// the Qt event loop of the calling thread, over an in-memory grid. Counts what passed through
// the port so a test or a benchmark can compare it with what the device sent.
class EngineRig {
public:
    explicit EngineRig(TerminalSink& terminal)
        : m_table(m_grid, m_run), m_access(m_port), m_counted(m_access),
          m_timer([this] { Tick(); }),
          m_engine(m_table, m_run, m_counted, terminal, m_timer, m_window),
          m_receiver(m_run, m_counted, terminal, m_timer),
          m_messages([this](uint32_t, uintptr_t word) { Message(static_cast<uint32_t>(word)); })
    {
        m_table.FillAtStartup();
        m_receiver.Allocate();
        m_run.lineEnd = LineEndSuffix::Cr;
        m_port.SetOwnerReadsWhile([this] { return m_run.AwaitsAnswer(); });
    }
    ~EngineRig() { m_port.Close(); }
    EngineRig(const EngineRig&) = delete;
    EngineRig& operator=(const EngineRig&) = delete;

    RunState& run() { return m_run; }
    SendTable& table() { return m_table; }
    MemoryCellGrid& grid() { return m_grid; }
    CSerialMFC& port() { return m_port; }
    // The port as the terminal writes typed keys to it.
    PortAccess& access() { return m_access; }
    SequenceEngine& engine() { return m_engine; }

    // Rows not set stay unticked.
    void SetRow(int index, std::u16string text, WaitKind wait, int delay, int halt = 0)
    {
        SendRow& row = m_table.rows()[static_cast<std::size_t>(index)];
        row = SendRow{1, std::move(text), wait, halt, delay};
        m_table.RewriteFromRows();
    }

    uint32_t Open(const std::string& path)
    {
        return m_port.Open(std::u16string(path.begin(), path.end()), &m_messages);
    }

    // Called after every tick and every port message, when the engine is between steps.
    void setAfterEvent(std::function<void()> afterEvent) { m_afterEvent = std::move(afterEvent); }

    // Runs the event loop until done() holds; false when the deadline passed first. done() is
    // looked at after every engine step and port message, and every 20 ms for what a device
    // thread changes.
    bool RunUntil(const std::function<bool()>& done, int timeoutMs)
    {
        if (done())
            return true;
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (done())
                loop.quit();
        });
        m_check = [&] {
            if (done())
                loop.quit();
        };
        deadline.start(timeoutMs);
        poll.start(20);
        loop.exec();
        m_check = nullptr;
        return done();
    }

    uint64_t bytesRead() const { return m_counted.bytesRead; }
    uint64_t writes() const { return m_counted.writes; }
    uint32_t lastReadError() const { return m_counted.lastReadError; }

private:
    struct CountingPort final : PortAccess {
        explicit CountingPort(PortAccess& port) : inner(port) {}
        bool IsOpen() const override { return inner.IsOpen(); }
        uint32_t Write(std::span<const uint8_t> bytes) override
        {
            ++writes;
            return inner.Write(bytes);
        }
        void BeginWrite(std::span<const uint8_t> bytes, WriteDone done) override
        {
            ++writes;
            inner.BeginWrite(bytes, std::move(done));
        }
        void CancelWrites() override { inner.CancelWrites(); }
        std::u16string PortName() const override { return inner.PortName(); }
        uint32_t Read(std::span<uint8_t> buffer, std::size_t& count) override
        {
            const uint32_t error = inner.Read(buffer, count);
            bytesRead += count;
            if (error != 0)
                lastReadError = error;
            return error;
        }
        uint32_t GetModemStatus(uint32_t& status) override { return inner.GetModemStatus(status); }

        PortAccess& inner;
        uint64_t writes = 0;
        uint64_t bytesRead = 0;
        uint32_t lastReadError = 0;
    };

    struct NoWindow final : RunObserver {
        void UpdateRunControls(bool) override {}
        void SetStatusText(std::u16string_view) override {}
    };

    void Tick()
    {
        m_engine.OnStepTimer(kSequenceTimerId);
        AfterEvent();
    }

    // As the window: a step the message made due at once runs in the same turn.
    void Message(uint32_t eventWord)
    {
        m_receiver.OnSerialMessage(eventWord);
        AfterEvent();
        m_timer.TickIfDueAtOnce();
    }

    void AfterEvent()
    {
        if (m_afterEvent)
            m_afterEvent();
        if (m_check)
            m_check();
    }

    MemoryCellGrid m_grid;
    RunState m_run;
    SendTable m_table;
    QtSerialPort m_port;
    SerialPortAccess m_access;
    CountingPort m_counted;
    NoWindow m_window;
    platform::QtStepTimer m_timer;
    SequenceEngine m_engine;
    ReceiveHandler m_receiver;
    platform::PortMessageReceiver m_messages;
    std::function<void()> m_afterEvent;
    std::function<void()> m_check;
};

} // namespace wirevane::test
